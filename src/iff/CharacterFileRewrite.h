#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

namespace corvane {

// What a save puts into a character's file besides the chunks it copies.
struct CharacterFileParts {
    std::optional<std::vector<std::uint8_t>> bodyStrings;  // nothing: the old body strings stay
    // The new CTSS chunk made from the data of the one it replaces.
    std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)> names;
    // A file without a CTSS chunk gets one (made from no data) after its chunks.
    bool addNames = false;
    std::optional<std::vector<std::uint8_t>> newImages;    // the waiting character images, when there are any
    bool resetThumbnail = false;  // the old images no longer show the character: they are left out
    int expansionLevel = 0;
};

struct RewrittenCharacter {
    std::vector<std::uint8_t> bytes;
    bool newImagesUsedUp = false;  // the waiting images were dealt with: their file goes
    bool newImagesWritten = false;  // they went into the file (only at expansion level 5)
};

// A character file whose chunk list breaks off is not rewritten: the chunks
// after the break would be lost.
class DamagedCharacterFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The character file rebuilt chunk by chunk: every CTSS chunk becomes the new
// one made from it (added at the end with `addNames` when there is none), the body-strings STR# (label "bodystring" or id 200) the new body
// strings, the images are kept, left out or replaced by the waiting ones,
// every other chunk is copied, and a fresh resource map ends the file.
RewrittenCharacter RewriteCharacterFile(std::span<const std::uint8_t> old, const CharacterFileParts& parts);

}  // namespace corvane
