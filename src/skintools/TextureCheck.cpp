#include "skintools/TextureCheck.h"

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "skins/SkinFolders.h"

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
    const std::int64_t sizeKB = FileSizeKB(file);
    Bitmap bitmap;
    try {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(file);
        bitmap = LoadBmpWithSizeFix(bytes, file.string());
    } catch (const std::exception&) {
        return std::nullopt;  // unreadable or damaged: skipped without a finding
    }
    return JudgeTexture(file, sizeKB, bitmap.width, bitmap.height, knownDepth(bitmap.bitDepth));
}

}  // namespace corvane
