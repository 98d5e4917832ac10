// Feeds arbitrary text to the skeleton reader and poses a point on what it
// reads. The reader must yield a skeleton or throw FormatError, never crash,
// overrun, hang or allocate without bound; what it yields must hold the bones
// its kind and count demand, every number a finite single. Posing must end
// for every bone, even on parent chains that loop.
#include "platform/FormatError.h"
#include "platform/TextLines.h"
#include "render/PoseVertex.h"
#include "render/Skeleton.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

[[noreturn]] void broken() { __builtin_trap(); }

void expect(bool condition) {
    if (!condition) broken();
}

bool finite(const corvane::TSkeleton& bone) {
    const auto& t = bone.translation;
    const auto& r = bone.rotation;
    return std::isfinite(t.x) && std::isfinite(t.y) && std::isfinite(t.z) && std::isfinite(r.x) &&
           std::isfinite(r.y) && std::isfinite(r.z) && std::isfinite(r.w);
}

// The bones the count line asks for: humans always have their first two.
std::size_t expectedBones(const corvane::ParsedSkeleton& skeleton, const std::vector<std::string>& lines) {
    const long long count = std::stoll(corvane::Trimmed(lines[4]));
    const bool human = skeleton.kind == corvane::Adult || skeleton.kind == corvane::Child;
    return static_cast<std::size_t>(std::max(count, human ? 2LL : 0LL));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = corvane::SplitTextLines(std::span<const std::uint8_t>(data, size));
    corvane::ParsedSkeleton skeleton;
    try {
        skeleton = corvane::ParseSkeleton(lines, "fuzz.cmx");
    } catch (const corvane::FormatError&) {
        return 0;
    }
    expect(skeleton.bones.size() == expectedBones(skeleton, lines));
    expect(skeleton.bones.size() <= lines.size() / 10);
    // Posing is linear in the bones per step; a few dozen bones cover every
    // chain shape without making each input slow.
    skeleton.bones.resize(std::min<std::size_t>(skeleton.bones.size(), 64));
    for (const corvane::TSkeleton& bone : skeleton.bones) {
        expect(finite(bone));
        corvane::TVector3 position{0.5f, -0.25f, 1.0f};
        corvane::TVector3 normal{0, 0, 1};
        corvane::PoseVertex(skeleton.bones, skeleton.kind, bone.name, position, normal);
    }
    return 0;
}
