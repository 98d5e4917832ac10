#pragma once

#include "skins/FarRecordDetails.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// Every skin the game can use that is not found by file name alone: the
// kept entries of the game's FAR archives and the loose mesh files. Each list
// is absent until the catalogue is built, and absent again once discarded.
struct SkinCatalogue {
    std::optional<std::vector<FarRecordDetails>> ArchiveMeshEntries;
    std::optional<std::vector<std::filesystem::path>> SknFileList;
    std::optional<std::vector<FarRecordDetails>> ArchiveCharacterEntries;
    std::optional<std::vector<FarRecordDetails>> ArchiveTextureEntries;
    bool ArchiveReadError = false;  // the mesh pass met an unreadable archive
    std::string ArchiveReadCause;   // which archive, and why (offset and what was expected)

    bool complete() const {
        return ArchiveMeshEntries && SknFileList && ArchiveCharacterEntries && ArchiveTextureEntries;
    }
};

// The catalogue of the running editor.
SkinCatalogue& GameSkinCatalogue();

// Marks every list absent, so that the next build reads everything again.
void DiscardSkinCatalogue(SkinCatalogue& catalogue);

}  // namespace corvane
