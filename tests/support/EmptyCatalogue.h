#pragma once

#include "skins/SkinCatalogue.h"

namespace corvane::test {

// A catalogue that was built and found no archives and no loose meshes.
inline SkinCatalogue EmptyCatalogue() {
    SkinCatalogue catalogue;
    catalogue.ArchiveMeshEntries.emplace();
    catalogue.SknFileList.emplace();
    catalogue.ArchiveCharacterEntries.emplace();
    catalogue.ArchiveTextureEntries.emplace();
    return catalogue;
}

}  // namespace corvane::test
