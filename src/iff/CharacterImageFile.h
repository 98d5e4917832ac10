#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace corvane {

// Newly drawn images of a character wait in the application folder as
// "<FileName>.tmp": a run of complete BMP_ chunks without a file header,
// one of them labelled "thumbnail". The next save of the character takes them.
std::filesystem::path CharacterImageFile(const std::filesystem::path& applicationFolder, const std::string& fileName);

// The picture of the last chunk labelled "thumbnail" in such a run of
// chunks; nothing when there is none or it does not decode.
std::optional<Bitmap> ThumbnailOfCharacterImages(std::span<const std::uint8_t> images);

}  // namespace corvane
