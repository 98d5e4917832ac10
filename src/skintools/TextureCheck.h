#pragma once

#include "platform/RegularFile.h"
#include "skins/ProblemRecordDetails.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace corvane {

// What the game demands of a skin texture: each side a power of two from 2 to
// 1024, and 8-bit colour unless the file is no bigger than its pixels would
// take at one byte each (the game then loads it anyway).

// 2, 4, 8, … 1024.
bool ValidTextureSide(int pixels);

// The size a texture may grow to before its colours count: its size in whole
// kilobytes times 1000, less 5000 (negative for files below 5 KB).
std::int64_t TextureAllowance(std::int64_t sizeKB);

// The finding for a texture of `width` × `height` and colour `depth` in bits
// at `file` whose size is `sizeKB`: "BmpDimensions", "BmpColors", or nothing.
std::optional<ProblemRecordDetails> JudgeTexture(const std::filesystem::path& file, std::int64_t sizeKB, int width,
                                                 int height, int depth);

// The bytes of `texture` that decoding it needs (BmpDecodeExtent): a huge file
// with a small picture in front is not read whole.
std::vector<std::uint8_t> TextureBytesToDecode(const RegularFile& texture);

// Reads and decodes `file` as the game repairs it, then judges it. Nothing for
// a sound texture and for one that cannot be read or decoded (those are
// skipped: the game shows nothing for them either).
std::optional<ProblemRecordDetails> CheckTexture(const std::filesystem::path& file);

}  // namespace corvane
