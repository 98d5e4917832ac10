#include "iff/CharacterFileRewrite.h"

#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "platform/TextLines.h"

namespace corvane {

namespace {

constexpr std::int32_t kBodyStringsId = 200;
constexpr int kLevelThatStoresImages = 5;

bool isBodyStrings(const Section& section) {
    return section.ChunkType == "STR#" && (Trimmed(section.ChunkLabel) == "bodystring" || section.ChunkID == kBodyStringsId);
}

// Decides the fate of the BMP_ chunks in file order.
class ImageRule {
public:
    ImageRule(const CharacterFileParts& parts, RewrittenCharacter& result)
        : parts_(parts), result_(result), reset_(parts.resetThumbnail) {}

    ChunkDecision image() {
        if (reset_) return ChunkDecision::drop();
        if (handled_ || !parts_.newImages) {
            // The old images still show the character.
            handled_ = true;
            return ChunkDecision::copy();
        }
        handled_ = true;
        return ChunkDecision::replace(useNewImages());
    }

    // The waiting images when no old image made room for them.
    std::vector<std::uint8_t> atTheEnd() {
        if (handled_ || !parts_.newImages) return {};
        return useNewImages();
    }

private:
    std::vector<std::uint8_t> useNewImages() {
        reset_ = true;
        result_.newImagesUsedUp = true;
        if (parts_.expansionLevel != kLevelThatStoresImages) return {};
        result_.newImagesWritten = true;
        return *parts_.newImages;
    }

    const CharacterFileParts& parts_;
    RewrittenCharacter& result_;
    bool reset_;
    bool handled_ = false;
};

}  // namespace

RewrittenCharacter RewriteCharacterFile(std::span<const std::uint8_t> old, const CharacterFileParts& parts) {
    const ChunkList list = ReadChunkList(old);
    if (list.damaged) throw DamagedCharacterFile(list.damage);
    RewrittenCharacter result;
    ImageRule images(parts, result);
    const bool namesMissing = parts.addNames && FindChunk(list, "CTSS") == nullptr;
    result.bytes = RewriteIff(
        old, list,
        [&](const Section& section) {
            if (section.ChunkType == "CTSS") return ChunkDecision::replace(parts.names(ChunkData(old, section)));
            if (isBodyStrings(section) && parts.bodyStrings) return ChunkDecision::replace(*parts.bodyStrings);
            if (section.ChunkType == "BMP_") return images.image();
            return ChunkDecision::copy();
        },
        true, [&] {
            std::vector<std::uint8_t> added = namesMissing ? parts.names({}) : std::vector<std::uint8_t>{};
            const std::vector<std::uint8_t> waitingImages = images.atTheEnd();
            added.insert(added.end(), waitingImages.begin(), waitingImages.end());
            return added;
        });
    return result;
}

}  // namespace corvane
