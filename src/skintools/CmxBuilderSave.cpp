#include "skintools/CmxBuilderSave.h"

#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TouchFile.h"
#include "platform/TrashingReplace.h"
#include "skins/CharacterFileCheck.h"
#include "skintools/SkinToolFiles.h"

namespace corvane {

namespace {

namespace fs = std::filesystem;

constexpr MessageId kTitle{5022};
constexpr MessageId kAddMeshesFirst{7139};
constexpr MessageId kCharacterFileNamed{8061};
constexpr MessageId kAlreadyExists{8062};
constexpr MessageId kSameNamesConfuse{8063};
constexpr MessageId kLookForCopies{8064};
constexpr MessageId kDuplicateSearch{8065};
constexpr MessageId kSaveAnyway{8066};

// Removes the work file when the save ends, however it ends.
class WorkFile {
public:
    explicit WorkFile(fs::path path) : path_(std::move(path)) {}
    ~WorkFile() {
        std::error_code error;
        fs::remove(path_, error);
    }
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

fs::path ExistingCharacterFile(const std::string& suitName, const fs::path& target, const SkinFolders& folders,
                               const SkinCatalogue& catalogue) {
    const std::string wanted = ToLowerAscii(suitName + ".cmx");
    for (const fs::path& file : folders.ListSkinFilesFiltered("*.cmx")) {
        if (ToLowerAscii(file.filename().string()) == wanted) return file;
    }
    if (catalogue.ArchiveCharacterEntries) {
        for (const FarRecordDetails& entry : *catalogue.ArchiveCharacterEntries) {
            const std::string& name = entry.EntryName;
            if (name.size() >= 4 && ToLowerAscii(name.substr(0, name.size() - 4)) == wanted) return entry.ArchivePath;
        }
    }
    // A folder outside the game's may hold the file too: it is not replaced unasked either.
    return PathExists(target) ? target : fs::path();
}

std::string SaveOverQuestionText(const std::string& suitName, const fs::path& existing) {
    return LangStr(kCharacterFileNamed) + " " + suitName + ".cmx " + LangStr(kAlreadyExists) + "\n" +
           existing.string() + "\n\n" + LangStr(kSameNamesConfuse) + "\n\n" + LangStr(kLookForCopies) + " \"" +
           LangStr(kDuplicateSearch) + "\" " + LangStr(kSaveAnyway);
}

CmxSaveResult SaveBuiltCharacterFile(const std::vector<std::string>& lines, const CMXBuilderList& meshes,
                                     const fs::path& workFolder, const fs::path& suggested,
                                     const CmxFolderChoice& chooseFolder, const SkinFolders& folders,
                                     SkinCatalogue& catalogue, Dialogs& dialogs) {
    CmxSaveResult result;
    if (meshes.empty() || lines.size() < 5) {
        TellSkinTool(dialogs, LangStr(kAddMeshesFirst), MsgKind::None);
        result.outcome = CmxSaveOutcome::NoMeshes;
        return result;
    }
    const std::string& suitName = lines[4];
    const std::string fileName = suitName + ".cmx";
    WorkFile work(FileInFolder(workFolder, fileName));
    WriteSkinTextFile(work.path(), lines);
    if (!CheckCharacterFile(work.path(), CheckMode::Builder, KnownMeshes(catalogue), &dialogs, nullptr)) {
        result.outcome = CmxSaveOutcome::CheckFailed;
        return result;
    }
    const std::optional<fs::path> folder = chooseFolder(suggested);
    if (!folder) {
        result.outcome = CmxSaveOutcome::Cancelled;
        return result;
    }
    result.target = *folder / fileName;
    RefuseNonFilePlace(result.target);
    result.existing = ExistingCharacterFile(suitName, result.target, folders, catalogue);
    if (!result.existing.empty() &&
        StyledMessageDlg(dialogs, LangStr(kTitle), SaveOverQuestionText(suitName, result.existing), MsgKind::None, 0,
                         mrNone, mbYesNo) != mrYes) {
        result.outcome = CmxSaveOutcome::Declined;
        return result;
    }
    // The file it replaces stays restorable, and stays in place until the new one is whole.
    const Replacement written = WriteSendingOldToTrash(result.target, SkinTextFileBytes(lines));
    TouchFile(written.written);
    if (written.old) result.trashed = written.old->item;
    DiscardSkinCatalogue(catalogue);
    result.outcome = CmxSaveOutcome::Saved;
    return result;
}

}  // namespace corvane
