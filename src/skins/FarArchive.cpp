#include "skins/FarArchive.h"

#include "platform/AsciiText.h"
#include "platform/ByteReader.h"
#include "platform/FormatError.h"
#include "platform/RegularFile.h"
#include "skins/SkinNames.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace corvane {

namespace {

constexpr std::uint32_t kDirectoryOffsetField = 12;
constexpr std::size_t kEntryFixedBytes = 16;
constexpr std::array<std::string_view, 4> kSkeletonTexts{"dog_skeleton", "kat_skeleton", "adult-skeleton",
                                                         "child-skeleton"};

std::string afterLastBackslash(const std::string& stored) {
    auto slash = stored.rfind('\\');
    return slash == std::string::npos ? stored : stored.substr(slash + 1);
}

// `count` bytes from `from`; the caller has checked that they lie inside the
// file, so a short read means the archive shrank while it was read.
std::vector<std::uint8_t> readRange(const RegularFile& in, std::uint64_t from, std::uint64_t count,
                                    const std::filesystem::path& archive) {
    std::vector<std::uint8_t> bytes = in.read(from, static_cast<std::size_t>(count));
    if (bytes.size() != count) {
        throw FormatError(archive.string(), from + bytes.size(), "the archive ends early: it shrank while it was read");
    }
    return bytes;
}

bool namesSkeleton(const std::string& entryName) {
    for (std::string_view text : kSkeletonTexts) {
        if (entryName.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

FarRecordDetails recordOf(const FarDirectoryEntry& entry, const std::filesystem::path& archive) {
    return {entry.size, entry.size2, entry.offset, archive, entry.entryName};
}

}  // namespace

std::vector<FarDirectoryEntry> ParseFarDirectory(std::span<const std::uint8_t> directory, std::uint32_t directoryOffset,
                                                 const std::string& archiveName) {
    ByteReader reader(directory, archiveName, directoryOffset);
    const std::uint32_t count = reader.u32le();
    reader.requireElements(count, kEntryFixedBytes);
    std::vector<FarDirectoryEntry> entries;
    entries.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        FarDirectoryEntry entry;
        entry.size = reader.i32le();
        entry.size2 = reader.i32le();
        entry.offset = reader.i32le();
        const std::int32_t nameLength = reader.i32le();
        if (nameLength < 0) {
            reader.fail("negative name length " + std::to_string(nameLength));
        }
        entry.entryName = afterLastBackslash(reader.chars(static_cast<std::size_t>(nameLength)));
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<FarDirectoryEntry> ReadFarDirectory(const std::filesystem::path& archive) {
    const RegularFile in(archive);
    const std::uint64_t fileSize = in.size();
    const std::vector<std::uint8_t> header =
        readRange(in, 0, std::min<std::uint64_t>(fileSize, kDirectoryOffsetField + 4), archive);
    ByteReader headerReader(header, archive.string());
    headerReader.skip(kDirectoryOffsetField);
    const std::uint32_t directoryOffset = headerReader.u32le();
    if (directoryOffset > fileSize) {
        throw FormatError(archive.string(), kDirectoryOffsetField,
                          "directory offset " + std::to_string(directoryOffset) + " lies past the end");
    }
    const std::vector<std::uint8_t> directory = readRange(in, directoryOffset, fileSize - directoryOffset, archive);
    return ParseFarDirectory(directory, directoryOffset, archive.string());
}

bool IsMeshEntry(const std::string& entryName) {
    return ToLowerAscii(entryName.substr(0, 5)) == "xskin";
}

CharacterEntryKind ClassifyCharacterEntry(const std::string& entryName) {
    const std::string lower = ToLowerAscii(entryName);
    const std::string e3 = lower.size() >= 4 ? lower.substr(lower.size() - 4) : std::string();
    const std::string e7 = lower.size() >= 8 ? lower.substr(lower.size() - 8, 4) : std::string();
    const bool character = e7 == ".cmx";
    const bool texture = e3 == ".bmp";
    if (!character && !texture) {
        return CharacterEntryKind::Skip;
    }
    const bool kept = PassesSkinNameRules(lower) || namesSkeleton(entryName) || texture;
    if (!kept) {
        return CharacterEntryKind::Skip;
    }
    return character ? CharacterEntryKind::Character : CharacterEntryKind::Texture;
}

void ReadArchiveDirectory(const std::filesystem::path& archive, CataloguePass pass, const PassLists& lists) {
    for (const FarDirectoryEntry& entry : ReadFarDirectory(archive)) {
        if (pass == CataloguePass::Mesh) {
            if (IsMeshEntry(entry.entryName)) {
                lists.meshes->push_back(recordOf(entry, archive));
            }
            continue;
        }
        switch (ClassifyCharacterEntry(entry.entryName)) {
            case CharacterEntryKind::Character: lists.characters->push_back(recordOf(entry, archive)); break;
            case CharacterEntryKind::Texture: lists.textures->push_back(recordOf(entry, archive)); break;
            case CharacterEntryKind::Skip: break;
        }
    }
}

}  // namespace corvane
