#include "iff/CharacterImageFile.h"

#include "iff/IffContainer.h"
#include "platform/BmpCodec.h"
#include "platform/FormatError.h"

#include <cstring>

namespace corvane {

namespace {

constexpr std::string_view kThumbnailLabel = "thumbnail";

}  // namespace

std::filesystem::path CharacterImageFile(const std::filesystem::path& applicationFolder, const std::string& fileName) {
    return applicationFolder / (fileName + ".tmp");
}

std::optional<Bitmap> ThumbnailOfCharacterImages(std::span<const std::uint8_t> images) {
    const std::size_t labelAt = 12;
    if (images.size() < kChunkHeaderSize) return std::nullopt;
    for (std::size_t at = images.size() - kChunkHeaderSize + 1; at-- > 0;) {
        if (std::memcmp(images.data() + at, "BMP_", 4) != 0 ||
            std::memcmp(images.data() + at + labelAt, kThumbnailLabel.data(), kThumbnailLabel.size()) != 0) {
            continue;
        }
        const auto size = static_cast<std::uint32_t>(ReadBigEndian(images, at + 4, 4));
        const std::size_t end = size < kChunkHeaderSize ? images.size() : std::min<std::size_t>(images.size(), at + size);
        try {
            return LoadBmpWithSizeFix(images.subspan(at + kChunkHeaderSize, end - at - kChunkHeaderSize), "thumbnail");
        } catch (const FormatError&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace corvane
