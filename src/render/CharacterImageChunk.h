#pragma once

#include "platform/Bitmap.h"
#include "render/OffscreenCamera.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace corvane {

// One picture the game keeps in a character file.
struct CharacterImageSpec {
    std::string_view label;  // "web_image", "thumbnail", "speech_med", "speech_large", "rel. images", "faces"
    int chunkId;             // 2007, 2004, 2005, 2006, 2003, 2002
    int width, height;       // of the whole picture
    std::vector<ImageKind> tiles;  // one kind, or the tiles drawn side by side left to right
};

// The six pictures, in the order they are written.
const std::vector<CharacterImageSpec>& CharacterImageTable();

// A BMP_ chunk of an 8-bit picture: the 76-byte header (type, big-endian
// length counting the 0xA3 pad, big-endian id, flags 0x0010, the
// zero-padded 64-byte label), the complete BMP file, the pad byte when the
// length is odd.
std::vector<std::uint8_t> ImageChunk(int chunkId, std::string_view label, const Bitmap& eightBitPicture);

// The same chunk around a BMP file already encoded.
std::vector<std::uint8_t> BmpFileChunk(int chunkId, std::string_view label, std::span<const std::uint8_t> bmpFile);

}  // namespace corvane
