#pragma once

#include "platform/Bitmap.h"
#include "platform/BmpHeader.h"
#include "platform/ByteReader.h"

#include <cstdint>
#include <vector>

// Uncompressed pixel data: rows of packed palette indices (1, 4 or 8 bits) or
// of true colours (16 and 32 bits through the channel masks, 24 bits as B, G, R).
namespace corvane::bmp {

// One palette index per pixel, top-down.
std::vector<std::uint8_t> decodeIndexRows(ByteReader& reader, const BmpLayout& layout);

Bitmap decodeTrueColourRows(ByteReader& reader, const BmpLayout& layout);

}  // namespace corvane::bmp
