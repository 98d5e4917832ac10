#include "skintools/DuplicateSearch.h"

#include "platform/AsciiText.h"
#include "platform/ShellFileOps.h"
#include "platform/LanguageModule.h"
#include "platform/TextLines.h"
#include "skins/SkinCatalogueBuilder.h"

#include <optional>
#include <string_view>
#include <unordered_map>

namespace corvane {

namespace {

constexpr MessageId kTheFile{7120};
constexpr MessageId kAlsoInArchive{7121};
constexpr MessageId kIsACopyOf{7122};
constexpr MessageId kSearching{7118};
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

ProblemRecordDetails folderDuplicateRecord(const std::filesystem::path& copy, const std::filesystem::path& original,
                                           const std::string& isACopyOf) {
    return ProblemAbout(copy, copy.string() + kCrLf + isACopyOf + " " + original.string(), "Duplicate");
}

// Where the copies of one name lie: the last file of that name, and the last
// one that is another file than the last one.
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
    // Straight from the path's text: this runs for every file of every folder.
    std::string_view name = file.native();
    name.remove_prefix(name.rfind('/') + 1);  // npos + 1 == 0: no folder
    while (!name.empty() && static_cast<unsigned char>(name.front()) <= ' ') name.remove_prefix(1);
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
    return ToLowerAscii(name);
}

ProblemRecordDetails ArchiveDuplicateRecord(const std::filesystem::path& file, const FarRecordDetails& entry) {
    return ProblemAbout(file,
                        LangStr(kTheFile) + " " + file.string() + kCrLf + LangStr(kAlsoInArchive) + " " +
                            entry.ArchivePath.filename().string(),
                        "FarDuplicate");
}

ProblemRecordDetails FolderDuplicateRecord(const std::filesystem::path& copy, const std::filesystem::path& original) {
    return folderDuplicateRecord(copy, original, LangStr(kIsACopyOf));
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

std::string FileSamenessKey(const std::filesystem::path& file) {
    if (const std::optional<FileIdentity> identity = IdentityOf(file)) {
        return "#" + std::to_string(identity->device) + ":" + std::to_string(identity->inode);
    }
    return "=" + file.native();
}

bool AppendFolderDuplicates(const std::vector<std::filesystem::path>& files, const ScanControl& control,
                            ProblemList& findings) {
    // Only files whose name recurs are looked at on disk.
    std::vector<std::optional<std::string>> sameness(files.size());
    const auto samenessOf = [&](std::size_t i) -> const std::string& {
        if (!sameness[i]) sameness[i] = FileSamenessKey(files[i]);
        return *sameness[i];
    };
    const auto samePlace = [&](std::size_t a, std::size_t b) { return a == b || samenessOf(a) == samenessOf(b); };
    std::unordered_map<std::string, std::size_t> groupOfName;
    groupOfName.reserve(files.size());
    std::vector<NameGroup> groups;
    std::vector<std::size_t> groupOf(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [named, isNew] = groupOfName.try_emplace(LooseFileKey(files[i]), groups.size());
        groupOf[i] = named->second;
        if (isNew) {
            groups.push_back({i, std::nullopt});
            continue;
        }
        NameGroup& group = groups[named->second];
        if (!samePlace(group.last, i)) {
            group.lastElsewhere = group.last;  // every later file of the name lies where the new last one lies
        }
        group.last = i;
    }
    const std::string isACopyOf = LangStr(kIsACopyOf);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (control.shouldStop()) return false;
        const NameGroup& group = groups[groupOf[i]];
        const std::optional<std::size_t> copy = samePlace(group.last, i) ? group.lastElsewhere : group.last;
        if (copy) {
            findings.push_back(folderDuplicateRecord(files[*copy], files[i], isACopyOf));
        }
    }
    return true;
}

DuplicateSearchResult SearchDuplicates(const SkinFolders& folders, SkinCatalogue& catalogue,
                                       const ScanControl& control) {
    control.progress.showStatus(LangStr(kSearching));
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
        !run({kComparingTextures, folders.ListSkinFiles("*.bmp", &result.skipped), entriesOf(catalogue.ArchiveTextureEntries),
              ArchiveNameRule::Same}) ||
        !run({kComparingCharacterFiles, folders.ListSkinFilesFiltered("*.cmx", &result.skipped),
              entriesOf(catalogue.ArchiveCharacterEntries), ArchiveNameRule::LessLastFour}) ||
        !run({kComparingMeshes, catalogue.SknFileList.value_or(std::vector<std::filesystem::path>{}),
              entriesOf(catalogue.ArchiveMeshEntries), ArchiveNameRule::MeshExtensionSkn});
    DiscardSkinCatalogue(catalogue);
    return result;
}

}  // namespace corvane
