#include "skintools/DuplicateSearch.h"

#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/TextLines.h"
#include "skins/SkinCatalogueBuilder.h"

#include <optional>
#include <unordered_map>

namespace corvane {

namespace {

constexpr MessageId kTheFile{7120};
constexpr MessageId kAlsoInArchive{7121};
constexpr MessageId kIsACopyOf{7122};
constexpr MessageId kComparingTextures{7119};
constexpr MessageId kComparingCharacterFiles{7123};
constexpr MessageId kComparingMeshes{7124};
constexpr const char* kCrLf = "\r\n";

std::string trimmedLower(const std::string& text) {
    return ToLowerAscii(Trimmed(text));
}

// The name with its extension (after the last dot) replaced by ".skn", or
// ".skn" appended when it has none.
std::string withSknExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + ".skn";
}

void startPass(const ScanControl& control, MessageId status, std::size_t files) {
    control.progress.showStatus(LangStr(status));
    control.progress.setMaximum(static_cast<int>(files) - 1);
}

// Where the copies of one name lie: the last file of that name, and the last
// one whose path differs (letter case ignored) from the last one's.
struct NameGroup {
    std::size_t last = 0;
    std::optional<std::size_t> lastElsewhere;
};

}  // namespace

std::string ArchiveEntryKey(const std::string& entryName, ArchiveNameRule rule) {
    switch (rule) {
        case ArchiveNameRule::Same:
            return trimmedLower(entryName);
        case ArchiveNameRule::LessLastFour:
            return trimmedLower(entryName.size() < 4 ? std::string() : entryName.substr(0, entryName.size() - 4));
        case ArchiveNameRule::MeshExtensionSkn:
            return trimmedLower(withSknExtension(entryName));
    }
    return {};
}

std::string LooseFileKey(const std::filesystem::path& file) {
    return trimmedLower(file.filename().string());
}

ProblemRecordDetails ArchiveDuplicateRecord(const std::filesystem::path& file, const FarRecordDetails& entry) {
    return ProblemAbout(file,
                        LangStr(kTheFile) + " " + file.string() + kCrLf + LangStr(kAlsoInArchive) + " " +
                            entry.ArchivePath.filename().string(),
                        "FarDuplicate");
}

ProblemRecordDetails FolderDuplicateRecord(const std::filesystem::path& copy, const std::filesystem::path& original) {
    return ProblemAbout(copy, copy.string() + kCrLf + LangStr(kIsACopyOf) + " " + original.string(), "Duplicate");
}

bool AppendArchiveDuplicates(const std::vector<std::filesystem::path>& files,
                             const std::vector<FarRecordDetails>& entries, ArchiveNameRule rule,
                             const ScanControl& control, ProblemList& findings) {
    // The entry found when searching from the last entry: the last of its name.
    std::unordered_map<std::string, std::size_t> lastEntry;
    lastEntry.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        lastEntry[ArchiveEntryKey(entries[i].EntryName, rule)] = i;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (control.shouldStop()) return false;
        const auto found = lastEntry.find(LooseFileKey(files[i]));
        if (found != lastEntry.end()) {
            findings.push_back(ArchiveDuplicateRecord(files[i], entries[found->second]));
        }
        control.progress.setPosition(static_cast<int>(i));
    }
    return true;
}

bool AppendFolderDuplicates(const std::vector<std::filesystem::path>& files, const ScanControl& control,
                            ProblemList& findings) {
    std::vector<std::string> keys;
    std::vector<std::string> lowerPaths;
    keys.reserve(files.size());
    lowerPaths.reserve(files.size());
    std::unordered_map<std::string, NameGroup> groups;
    groups.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        keys.push_back(LooseFileKey(files[i]));
        lowerPaths.push_back(ToLowerAscii(files[i].string()));
        auto [group, isNew] = groups.try_emplace(keys.back(), NameGroup{i, std::nullopt});
        if (isNew) continue;
        NameGroup& g = group->second;
        if (lowerPaths[g.last] != lowerPaths[i]) {
            g.lastElsewhere = g.last;  // every later file of the name lies where the new last one lies
        }
        g.last = i;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (control.shouldStop()) return false;
        const NameGroup& g = groups.at(keys[i]);
        const std::optional<std::size_t> copy = lowerPaths[g.last] != lowerPaths[i] ? g.last : g.lastElsewhere;
        if (copy) {
            findings.push_back(FolderDuplicateRecord(files[*copy], files[i]));
        }
    }
    return true;
}

DuplicateSearchResult SearchDuplicates(const SkinFolders& folders, SkinCatalogue& catalogue,
                                       const ScanControl& control) {
    LoadSkinData(catalogue, folders, control.progress);
    const std::vector<FarRecordDetails> none;
    struct Pass {
        MessageId status;
        std::vector<std::filesystem::path> files;
        const std::vector<FarRecordDetails>& entries;
        ArchiveNameRule rule;
    };
    const auto entriesOf = [&](const std::optional<std::vector<FarRecordDetails>>& list)
        -> const std::vector<FarRecordDetails>& { return list ? *list : none; };
    DuplicateSearchResult result;
    const auto run = [&](const Pass& pass) {
        startPass(control, pass.status, pass.files.size());
        return AppendArchiveDuplicates(pass.files, pass.entries, pass.rule, control, result.findings) &&
               AppendFolderDuplicates(pass.files, control, result.findings);
    };
    result.stopped =
        !run({kComparingTextures, folders.ListSkinFiles("*.bmp"), entriesOf(catalogue.ArchiveTextureEntries),
              ArchiveNameRule::Same}) ||
        !run({kComparingCharacterFiles, folders.ListSkinFilesFiltered("*.cmx"),
              entriesOf(catalogue.ArchiveCharacterEntries), ArchiveNameRule::LessLastFour}) ||
        !run({kComparingMeshes, catalogue.SknFileList.value_or(std::vector<std::filesystem::path>{}),
              entriesOf(catalogue.ArchiveMeshEntries), ArchiveNameRule::MeshExtensionSkn});
    DiscardSkinCatalogue(catalogue);
    return result;
}

}  // namespace corvane
