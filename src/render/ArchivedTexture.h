#pragma once

#include "platform/Bitmap.h"
#include "skins/SkinCatalogue.h"

#include <optional>
#include <string>

namespace corvane {

// Textures kept in the game's archives, found by base name: the first entry
// of ArchiveTextureEntries whose name, ignoring letter case, is the base name
// followed by ".bmp". Nothing is found before the catalogue is built.

bool ArchiveHasTexture(const SkinCatalogue& catalogue, const std::string& baseName);

// The entry's picture, decoded through the game's size fix. Throws
// FormatError when the entry is no readable BMP, std::runtime_error when its
// archive cannot be read.
std::optional<Bitmap> LoadArchivedTexture(const SkinCatalogue& catalogue, const std::string& baseName);

}  // namespace corvane
