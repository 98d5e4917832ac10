#include "render/Skeleton.h"

#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"
#include "render/TextLineReader.h"
#include "skins/ArchiveSkinLookup.h"
#include "skins/SkinText.h"

#include <filesystem>
#include <stdexcept>

namespace corvane {

namespace {

constexpr std::size_t kKindLine = 3;
constexpr std::size_t kCountLine = 4;
constexpr std::size_t kFirstBlockLine = 5;
constexpr std::size_t kLinesAfterTwoHumanBlocks = 28;

struct BlockShape {
    std::size_t length;
    std::size_t translationLine;  // the rotation line follows it
};

constexpr BlockShape kOrdinaryBlock{10, 3};
constexpr BlockShape kPropertyBlock{13, 6};

SkeletonKind kindOf(const std::string& word) {
    const std::string trimmed = Trimmed(word);
    if (trimmed == "child") return Child;
    if (trimmed == "dog") return Dog;
    if (trimmed == "kat") return Kat;
    return Adult;
}

TSkeleton readBone(const TextLineReader& reader, std::size_t blockLine, const BlockShape& shape) {
    const std::size_t translationLine = blockLine + shape.translationLine;
    const LineItems translation = reader.items(translationLine);
    const LineItems rotation = reader.items(translationLine + 1);
    TSkeleton bone;
    bone.name = reader.line(blockLine);
    bone.parent = reader.line(blockLine + 1);
    bone.translation = {translation.real(1), translation.real(2), translation.real(3)};
    bone.rotation = {rotation.real(1), rotation.real(2), rotation.real(3), rotation.real(4)};
    return bone;
}

// `count` ordinary blocks from `blockLine` on; the count may be zero or negative.
void readOrdinaryBlocks(const TextLineReader& reader, std::size_t blockLine, std::int64_t count,
                        std::vector<TSkeleton>& bones) {
    for (std::int64_t i = 0; i < count; ++i) {
        bones.push_back(readBone(reader, blockLine, kOrdinaryBlock));
        blockLine += kOrdinaryBlock.length;
    }
}

// Humans: two fixed blocks (which of them carries the property depends on
// the kind), then n − 2 ordinary ones.
void readHumanBones(const TextLineReader& reader, const BlockShape& first, const BlockShape& second,
                    std::int32_t count, std::vector<TSkeleton>& bones) {
    bones.push_back(readBone(reader, kFirstBlockLine, first));
    bones.push_back(readBone(reader, kFirstBlockLine + first.length, second));
    readOrdinaryBlocks(reader, kLinesAfterTwoHumanBlocks, std::int64_t{count} - 2, bones);
}

std::string withoutExtension(const std::string& fileName) {
    return std::filesystem::path(fileName).replace_extension().string();
}

}  // namespace

ParsedSkeleton ParseSkeleton(const std::vector<std::string>& lines, const std::string& fileName) {
    const TextLineReader reader(lines, fileName);
    ParsedSkeleton skeleton;
    skeleton.kind = kindOf(reader.line(kKindLine));
    const std::int32_t count = reader.integer(kCountLine);
    switch (skeleton.kind) {
        case Adult:
            readHumanBones(reader, kOrdinaryBlock, kPropertyBlock, count, skeleton.bones);
            break;
        case Child:
            readHumanBones(reader, kPropertyBlock, kOrdinaryBlock, count, skeleton.bones);
            break;
        case Dog:
        case Kat:
            readOrdinaryBlocks(reader, kFirstBlockLine, count, skeleton.bones);
            break;
    }
    return skeleton;
}

std::optional<ParsedSkeleton> LoadSkeleton(const SkinFolders& folders, const SkinCatalogue& catalogue,
                                           const std::string& skeletonFileName, Dialogs& dialogs) {
    std::string fault;
    const auto text =
        ReadSkinText(folders, catalogue, withoutExtension(skeletonFileName), ".cmx", SkeletonFromArchive, &fault);
    if (!fault.empty()) throw std::runtime_error(fault);
    if (!text) {
        StyledMessageDlg(dialogs, LangStr(5022), "CV3D Error, Unable to locate " + skeletonFileName, MsgKind::None, 0,
                         mrOk, mbOK);
        return std::nullopt;
    }
    // A loose file is named by its path, so the user finds the one that is damaged.
    return ParseSkeleton(text->lines, text->file.empty() ? skeletonFileName : text->file.string());
}

}  // namespace corvane
