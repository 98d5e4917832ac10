#include "skins/ArchiveSkinLookup.h"

#include "platform/AsciiText.h"
#include "platform/FormatError.h"
#include "platform/TextLines.h"
#include "skins/BcfConversion.h"
#include "skins/SknConversion.h"

#include <functional>

namespace corvane {

namespace {

// The entry name less its last four characters (its extension), trimmed and lower-cased.
std::string withoutLastFour(const std::string& entryName) {
    return ToLowerAscii(Trimmed(entryName.size() >= 4 ? entryName.substr(0, entryName.size() - 4) : std::string()));
}

std::string lastFour(const std::string& entryName) {
    return entryName.size() >= 4 ? entryName.substr(entryName.size() - 4) : entryName;
}

// The last entry of the list whose name, less its extension, is `wanted`.
const FarRecordDetails* lastMatching(const std::optional<std::vector<FarRecordDetails>>& list,
                                     const std::string& wanted) {
    if (!list) {
        return nullptr;
    }
    for (auto it = list->rbegin(); it != list->rend(); ++it) {
        if (withoutLastFour(it->EntryName) == wanted) {
            return &*it;
        }
    }
    return nullptr;
}

// Converts the entry's bytes with `convert`; false when they are damaged,
// with what is wrong in `fault` (when not null).
bool convertEntry(const FarRecordDetails& entry, const std::function<void(const std::vector<std::uint8_t>&)>& convert,
                  std::string* fault) {
    try {
        convert(ReadArchiveEntry(entry));
        return true;
    } catch (const FormatError& error) {
        if (fault != nullptr) *fault = DamagedEntryText(entry, error.what());
        return false;
    }
}

void appendText(const std::vector<std::uint8_t>& bytes, std::vector<std::string>& lines) {
    for (std::string& line : SplitTextLines(bytes)) {
        lines.push_back(std::move(line));
    }
}

std::string characterFileName(const std::string& baseName) {
    return ToLowerAscii(Trimmed(baseName + ".cmx"));
}

}  // namespace

std::string DamagedEntryText(const FarRecordDetails& entry, const std::string& cause) {
    return "the entry " + entry.EntryName + " at offset " + std::to_string(entry.Offset) + " of the archive " +
           entry.ArchivePath.string() + " is damaged: " + cause;
}

bool SuitFromArchive(const SkinCatalogue& catalogue, const std::string& baseName, std::vector<std::string>& lines,
                     std::string* fault) {
    if (baseName.empty()) {
        return false;
    }
    const FarRecordDetails* entry = lastMatching(catalogue.ArchiveCharacterEntries, characterFileName(baseName));
    if (entry == nullptr) {
        return true;
    }
    return convertEntry(*entry, [&](const auto& bytes) {
        AppendSuitLines(bytes, entry->EntryName, ExportedCommentLine(), lines);
    }, fault);
}

bool SkeletonFromArchive(const SkinCatalogue& catalogue, const std::string& baseName, std::vector<std::string>& lines,
                         std::string* fault) {
    if (baseName.empty()) {
        return false;
    }
    const FarRecordDetails* entry = lastMatching(catalogue.ArchiveCharacterEntries, characterFileName(baseName));
    if (entry == nullptr) {
        return false;
    }
    return convertEntry(*entry, [&](const auto& bytes) {
        if (ToLowerAscii(lastFour(entry->EntryName)) == ".cmx") {
            appendText(bytes, lines);
        } else {
            AppendSkeletonLines(bytes, entry->EntryName, ExportedCommentLine(), lines);
        }
    }, fault);
}

bool ReadArchivedSKN(const SkinCatalogue& catalogue, const std::string& baseName, std::vector<std::string>& lines,
                     std::string* fault) {
    const FarRecordDetails* entry = lastMatching(catalogue.ArchiveMeshEntries, ToLowerAscii(Trimmed(baseName)));
    if (entry == nullptr) {
        return false;
    }
    return convertEntry(*entry, [&](const auto& bytes) {
        if (lastFour(entry->EntryName) == ".skn") {
            appendText(bytes, lines);
        } else {
            AppendMeshLines(bytes, entry->EntryName, lines);
        }
    }, fault);
}

}  // namespace corvane
