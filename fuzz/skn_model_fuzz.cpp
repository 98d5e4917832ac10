// Feeds arbitrary text to the mesh reader and poses what it reads on a small
// skeleton. The reader must yield a model or throw FormatError, never crash,
// overrun, hang or allocate without bound; and every face of a model it
// yields must be drawable: each corner a vertex with a position, a normal and
// a texture coordinate, in the range of a binding.
#include "platform/FormatError.h"
#include "platform/TextLines.h"
#include "render/SknModel.h"

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

std::vector<corvane::TSkeleton> smallSkeleton() {
    return {{"ROOT", "NULL", {0, 3, 0}, {0, 0.7f, 0, 0.7f}},
            {"PELVIS", "ROOT", {0, 0.1f, 0}, {0.5f, 0.5f, 0.5f, -0.5f}},
            {"L_ARM1", "PELVIS", {0.2f, 0, 0}, {0, 0, 0, 1}},
            {"HEAD", "HEAD", {0, 0.2f, 0}, {0, 0, 0, 0}}};
}

bool covered(const corvane::TSKNModel& model, std::int32_t vertex) {
    for (const corvane::TGroupData& binding : model.bindings) {
        const std::int64_t end = std::int64_t{binding.firstVertex} + binding.vertexCount;
        if (binding.firstVertex <= vertex && vertex < end) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = corvane::SplitTextLines(std::span<const std::uint8_t>(data, size));
    corvane::TSKNModel model;
    model.bones = smallSkeleton();
    model.kind = static_cast<corvane::SkeletonKind>(size % 4);
    try {
        corvane::ParseSknModel(lines, "fuzz.skn", model);
    } catch (const corvane::FormatError&) {
        return 0;
    }
    expect(model.positions.size() == model.normals.size());
    corvane::PoseSknModel(model);
    for (const corvane::TFace& face : model.faces) {
        for (const std::int32_t corner : corvane::FaceCornersInDrawOrder(face)) {
            expect(corner >= 0);
            const auto vertex = static_cast<std::size_t>(corner);
            expect(vertex < model.positions.size() && vertex < model.textureCoordinates.size());
            expect(covered(model, corner));
        }
    }
    return 0;
}
