#pragma once

#include "skins/FarRecordDetails.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace corvane {

/*
 FAR archive, as the catalogue reads it (32-bit little-endian values):

      0  12 bytes   signature and version, not read
     12  u32        directory offset D
      D  u32        entry count N
  D + 4  N entries  { i32 Size, i32 Size2, i32 Offset, i32 name length L, L name bytes }

 A stored name may begin with folders ("D:\Sims\GameData\Skins\x.bmp"); the
 entry's name is the part after the last backslash.
*/

// One entry of an archive directory.
struct FarDirectoryEntry {
    std::int32_t size = 0;
    std::int32_t size2 = 0;
    std::int32_t offset = 0;
    std::string entryName;  // after the last backslash of the stored name
};

// Reads a directory from `directory`, the bytes of the archive from offset
// `directoryOffset` on. Throws FormatError naming `archiveName` and the offset.
std::vector<FarDirectoryEntry> ParseFarDirectory(std::span<const std::uint8_t> directory, std::uint32_t directoryOffset,
                                                 const std::string& archiveName);

// Reads the directory of the archive file (only its header and directory).
std::vector<FarDirectoryEntry> ReadFarDirectory(const std::filesystem::path& archive);

// Which entries a catalogue pass keeps.
enum class CataloguePass { Mesh, Character };

// The entries of one archive that the pass keeps: meshes (names beginning
// with "xskin"); or character files (".cmx" before a further four-character
// extension) that follow the skin naming rules or name a skeleton, and
// textures (".bmp"). Appended to `characters` or `textures` by kind.
struct PassLists {
    std::vector<FarRecordDetails>* meshes = nullptr;
    std::vector<FarRecordDetails>* characters = nullptr;
    std::vector<FarRecordDetails>* textures = nullptr;
};
void ReadArchiveDirectory(const std::filesystem::path& archive, CataloguePass pass, const PassLists& lists);

// Where a character-pass entry goes, or nowhere.
enum class CharacterEntryKind { Skip, Character, Texture };
CharacterEntryKind ClassifyCharacterEntry(const std::string& entryName);
bool IsMeshEntry(const std::string& entryName);

}  // namespace corvane
