// Feeds arbitrary bytes to the character loader, once as a character file
// beside a sound neighbourhood and once as neighborhood.iff beside a sound
// character file: either reads or rejects with FormatError, never crashes.
#include "demo/CharacterFileWriter.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "neighbourhoods/CharacterLoader.h"
#include "platform/FormatError.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

const std::vector<std::uint8_t>& soundCharacter() {
    static const std::vector<std::uint8_t> file = [] {
        corvane::CharacterFileSpec spec;
        spec.bodyStrings = corvane::StandardBodyStrings("adult", 7);
        return corvane::MakeCharacterFile(spec);
    }();
    return file;
}

const corvane::NeighborhoodImage& soundNeighbourhood() {
    static const corvane::NeighborhoodImage image = [] {
        corvane::NeighbourhoodFileSpec spec;
        spec.neighbours.push_back({});
        spec.neighbours.back().relationships = {{1, {1, 2, 3}}};
        corvane::FamilySpec family;
        family.members = {spec.neighbours.back().guid};
        spec.families = {family};
        return corvane::NeighborhoodImage(corvane::MakeNeighbourhoodFile(spec));
    }();
    return image;
}

void load(std::span<const std::uint8_t> character, const corvane::NeighborhoodImage& image) {
    corvane::CharacterLoadContext context{&image, 3, 7, true, {}};
    try {
        (void)corvane::ReadCharacter(character, "User00001", context);
    } catch (const corvane::FormatError&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    load(bytes, soundNeighbourhood());
    load(soundCharacter(), corvane::NeighborhoodImage(std::vector<std::uint8_t>(bytes.begin(), bytes.end())));
    return 0;
}
