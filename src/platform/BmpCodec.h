#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// Decodes a Windows BMP file: 1-, 4- and 8-bit paletted (palettes of any length,
// RLE4 and RLE8 too), 16-bit (5-5-5, or bit fields such as 5-6-5), 24- and 32-bit;
// bottom-up or top-down; info headers of 40, 52, 56, 108 and 124 bytes and the old
// 12-byte core header. The file-size field is ignored (the game writes 0 there).
// A nonzero image-size field of an uncompressed file must agree with the file;
// LoadBmpWithSizeFix clears it for files the game wrote with a wrong one.
// Throws FormatError naming `fileName` and the offset of the fault.
Bitmap DecodeBmp(std::span<const std::uint8_t> bytes, const std::string& fileName = {});

// Decodes after the game's texture repair: when the compression field (offset 30)
// of the info header is 0, the image-size field (offset 34) is cleared first.
Bitmap LoadBmpWithSizeFix(std::span<const std::uint8_t> bytes, const std::string& fileName = {});

// How many bytes from the start of a BMP file decoding it can read, judged
// from `head`, its first bytes, for a file of `fileSize` bytes: the headers,
// the palette and the pixel data its headers describe (a run-length stream at
// its longest), so that a file that is mostly something else is not read
// whole. More than `head` holds when the pixel data (or, when the pixel data
// starts past `head`, the headers) need more; then ask again with that many.
// No more than `head` holds when the headers in it are damaged (decoding fails
// on them whatever follows), and never more than `fileSize`.
std::uint64_t BmpDecodeExtent(std::span<const std::uint8_t> head, std::uint64_t fileSize);

// A 24-bit, bottom-up, uncompressed BMP file with correct size fields.
// Throws std::invalid_argument for an empty bitmap or one whose pixel count
// does not match its size.
std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap);

// An 8-bit, bottom-up, uncompressed BMP file from the bitmap's palette and
// indices; the palette is written at its own length (biClrUsed says how long),
// extended with black only when an index points past it. Throws
// std::invalid_argument when the bitmap has no indices.
std::vector<std::uint8_t> EncodeBmp8(const Bitmap& bitmap);

}  // namespace corvane
