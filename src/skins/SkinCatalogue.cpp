#include "skins/SkinCatalogue.h"

namespace corvane {

SkinCatalogue& GameSkinCatalogue() {
    static SkinCatalogue catalogue;
    return catalogue;
}

void DiscardSkinCatalogue(SkinCatalogue& catalogue) {
    catalogue.ArchiveMeshEntries.reset();
    catalogue.SknFileList.reset();
    catalogue.ArchiveCharacterEntries.reset();
    catalogue.ArchiveTextureEntries.reset();
}

}  // namespace corvane
