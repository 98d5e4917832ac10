#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace corvane {

// The colour correction of a texture too large for the game: its 8-bit form,
// made as the game makes its own 8-bit pictures (the colours pass through a
// JPEG and its decoder's quantiser picks the palette).
Bitmap ColourCorrected(const Bitmap& texture);

// A texture file read and decoded as the game repairs textures, then
// corrected; also the decoded original, for showing both.
struct CorrectedTexture {
    Bitmap original;
    Bitmap corrected;
    std::vector<std::uint8_t> bytes;  // `corrected` as an 8-bit bitmap file
};

// Throws std::runtime_error naming the file when it cannot be read or decoded.
CorrectedTexture CorrectTextureFile(const std::filesystem::path& file);

}  // namespace corvane
