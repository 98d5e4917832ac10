#pragma once

#include "platform/BmpHeader.h"
#include "platform/ByteReader.h"

#include <cstdint>
#include <vector>

namespace corvane::bmp {

// The palette indices of an RLE8 or RLE4 file, one per pixel, top-down. The
// stream runs for the image-size field's length, or to the end of the file when
// that is 0.
std::vector<std::uint8_t> decodeRunLengthIndices(ByteReader& reader, const BmpLayout& layout);

}  // namespace corvane::bmp
