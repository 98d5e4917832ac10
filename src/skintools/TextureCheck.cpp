#include "skintools/TextureCheck.h"

#include "platform/BmpCodec.h"
#include "platform/RegularFile.h"

#include <algorithm>
#include <array>
#include <exception>
#include <string>

namespace corvane {

namespace {

constexpr const char* kCrLf = "\r\n";

// The depths a decoded texture can report; anything else counts as 0.
int knownDepth(int depth) {
    constexpr std::array<int, 7> kDepths{1, 4, 8, 15, 16, 24, 32};
    for (int known : kDepths) {
        if (depth == known) return depth;
    }
    return 0;
}

}  // namespace

std::vector<std::uint8_t> TextureBytesToDecode(const RegularFile& texture) {
    // A texture's headers, palette and pixels of up to 1024 x 1024 at 8 bits fit here.
    constexpr std::uint64_t kFirstRead = 1100 * 1024;
    std::vector<std::uint8_t> bytes = texture.read(0, static_cast<std::size_t>(std::min(texture.size(), kFirstRead)));
    for (;;) {
        const std::uint64_t extent = BmpDecodeExtent(bytes, texture.size());
        if (extent <= bytes.size()) {
            bytes.resize(static_cast<std::size_t>(extent));
            return bytes;
        }
        const std::size_t had = bytes.size();
        bytes = texture.read(0, static_cast<std::size_t>(extent));
        if (bytes.size() <= had) return bytes;  // the file shrank: decode what is there
    }
}

bool ValidTextureSide(int pixels) {
    for (int side = 2; side <= 1024; side *= 2) {
        if (pixels == side) return true;
    }
    return false;
}

std::int64_t TextureAllowance(std::int64_t sizeKB) {
    return sizeKB * 1000 - 5000;
}

std::optional<ProblemRecordDetails> JudgeTexture(const std::filesystem::path& file, std::int64_t sizeKB, int width,
                                                 int height, int depth) {
    const std::string path = file.string();
    if (!ValidTextureSide(width) || !ValidTextureSide(height)) {
        return ProblemAbout(file,
                            path + kCrLf + kCrLf + std::to_string(width) + " X " + std::to_string(height) + kCrLf +
                                kCrLf + "Dimensions are incorrect.",
                            "BmpDimensions");
    }
    const std::int64_t pixelBytes = static_cast<std::int64_t>(width) * height + 54;
    if (depth == 8 || pixelBytes >= TextureAllowance(sizeKB)) {
        return std::nullopt;
    }
    return ProblemAbout(file,
                        path + kCrLf + std::to_string(depth) + " Bit Color" + kCrLf +
                            "Number of colors is incorrect. It should be 8 Bit (256 Colors)",
                        "BmpColors");
}

std::optional<ProblemRecordDetails> CheckTexture(const std::filesystem::path& file) {
    std::int64_t sizeKB = 0;
    Bitmap bitmap;
    try {
        const RegularFile texture(file);
        sizeKB = static_cast<std::int64_t>(texture.size() / 1024);
        bitmap = LoadBmpWithSizeFix(TextureBytesToDecode(texture), file.string());
    } catch (const std::exception&) {
        return std::nullopt;  // unreadable or damaged: skipped without a finding
    }
    return JudgeTexture(file, sizeKB, bitmap.width, bitmap.height, knownDepth(bitmap.bitDepth));
}

}  // namespace corvane
