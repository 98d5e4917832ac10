#include "render/CharacterImageChunk.h"

#include "iff/IffContainer.h"
#include "platform/BmpCodec.h"

#include <stdexcept>
#include <string>

namespace corvane {

namespace {

// The game marks its picture chunks with this flag.
constexpr std::uint16_t kImageChunkFlags = 0x0010;
constexpr std::uint8_t kPadByte = 0xA3;

}  // namespace

const std::vector<CharacterImageSpec>& CharacterImageTable() {
    // Full body, head, the relationship tiles (five backgrounds) and the faces
    // (three turns of the head), each at the size the game shows it.
    static const std::vector<CharacterImageSpec> table{
        {"web_image", 2007, 45, 45, {0}},
        {"thumbnail", 2004, 25, 25, {0}},
        {"speech_med", 2005, 16, 16, {1}},
        {"speech_large", 2006, 32, 32, {1}},
        {"rel. images", 2003, 200, 40, {2, 3, 4, 5, 6}},
        {"faces", 2002, 105, 41, {7, 8, 9}},
    };
    return table;
}

std::vector<std::uint8_t> BmpFileChunk(int chunkId, std::string_view label, std::span<const std::uint8_t> bmpFile) {
    if (chunkId < 0 || chunkId > 0xFFFF) throw std::invalid_argument("chunk id " + std::to_string(chunkId) + " does not fit");
    std::vector<std::uint8_t> chunk =
        MakeChunk("BMP_", static_cast<std::uint16_t>(chunkId), kImageChunkFlags, label, bmpFile);
    if (chunk.size() % 2 != 0) chunk.push_back(kPadByte);
    SetChunkSize(chunk);
    return chunk;
}

std::vector<std::uint8_t> ImageChunk(int chunkId, std::string_view label, const Bitmap& eightBitPicture) {
    return BmpFileChunk(chunkId, label, EncodeBmp8(eightBitPicture));
}

}  // namespace corvane
