#pragma once

#include "iff/NeighborhoodImage.h"
#include "platform/Bitmap.h"
#include "sim/Sim.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// What loading one character needs besides its file.
struct CharacterLoadContext {
    const NeighborhoodImage* neighbourhood = nullptr;
    int languageNumber = 1;
    int expansionLevel = 0;
    bool hasFameFolders = false;  // "ExpansionPack6" or "ExpansionPack7" in the game folder
    // FindSkinFile(name, ".bmp") is not empty: the default pajama texture is installed.
    std::function<bool(const std::string&)> textureInstalled;
};

// One character file read into a record.
struct LoadedCharacter {
    Sim sim;
    std::optional<Bitmap> thumbnail;  // the last "thumbnail" image that decodes
};

// Reads a character file's bytes (already known to be at least 1,024 bytes)
// into a record: names in the game's language, skins from the body strings,
// family, person data, the repairs. `fileName` is the base name ("User00001").
// A damaged chunk list, a neighbour search that broke on a damaged
// neighborhood.iff, body strings that do not parse or an OBJD chunk too short
// for the GUID set `Sim::Damage`; such a record is read as far as it goes, is
// not repaired and is not marked modified, since its files are never rewritten.
LoadedCharacter ReadCharacter(std::span<const std::uint8_t> file, const std::string& fileName,
                              const CharacterLoadContext& context);

// The names of a CTSS string table: the first text in `languageNumber` is the
// name, the rest its biography; language 1 stands in where that language has none.
struct CharacterNames {
    std::string firstName;
    std::string bio;
};
CharacterNames ReadCharacterNames(std::span<const std::uint8_t> ctssData, int languageNumber);

// A body-strings entry "mesh,KEY=texture" split into mesh and texture.
std::pair<std::string, std::string> SplitSkinEntry(const std::string& value);

}  // namespace corvane
