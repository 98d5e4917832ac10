#pragma once

#include "platform/Bitmap.h"
#include "skins/FarRecordDetails.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The small pictures of skin textures the skin pages list (40 pixels), the hands page shows (32) and the outfit
// pictures show (128): a loose texture through ThumbnailFromFile (square), else the first archive entry named
// base name + ".bmp" (letter case ignored) read with the size fix and resampled with ResampleToFit (aspect kept);
// nothing when neither exists or the picture cannot be made (the page shows its placeholder).
//
// Pictures are kept between calls, by their file (or archive and entry offset), the size asked and the file's size
// and modification time, so a texture that was replaced is pictured anew; the oldest unused pictures make room once
// a few thousand are kept. Call from one thread at a time: finding the files uses the shared folder listings.
std::optional<Bitmap> TexturePicture(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                     const std::string& baseName, int size);

// The same for a whole list, in its order; the pictures still missing from the cache are made on all cores.
std::vector<std::optional<Bitmap>> TexturePictures(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                                   const std::vector<std::string>& baseNames, int size);

// Where a texture's picture comes from: its loose file, else its archive entry; nothing when neither.
// archiveEntry points into the catalogue's ArchiveTextureEntries.
struct TexturePictureSource {
    std::filesystem::path looseFile;
    const FarRecordDetails* archiveEntry = nullptr;
};
TexturePictureSource FindTexturePictureSource(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                              const std::string& baseName);

// Forgets every kept picture, so the next ones are all made from their files.
void ClearTexturePictureCache();

}  // namespace corvane
