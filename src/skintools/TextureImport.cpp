#include "skintools/TextureImport.h"

#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"
#include "skintools/SkinToolFiles.h"

#include <optional>
#include <system_error>

namespace corvane {

namespace {

namespace fs = std::filesystem;

constexpr MessageId kTitle{5022};
constexpr MessageId kImportFailed{7029};
constexpr MessageId kNewTexture{8022};
constexpr MessageId kForCharacterFile{8023};
constexpr MessageId kCopiedIntoSkins{8024};
constexpr MessageId kImportIt{8025};
constexpr MessageId kDeleteSource{8028};

bool sameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error);
}

}  // namespace

TextureImportPlan PlanTextureImport(const TextureImportRequest& request, const SkinFolders& folders,
                                    const fs::path& skinsFolder) {
    return {FileInFolder(skinsFolder, request.textureFileName),
            InstalledSkinFile(folders, skinsFolder, request.textureFileName)};
}

std::string ImportConfirmationText(const std::string& textureFileName, const std::string& mesh) {
    return LangStr(kNewTexture) + ": \"" + textureFileName + "\"\n" + LangStr(kForCharacterFile) + ": \"" + mesh +
           ".cmx\"\n" + LangStr(kCopiedIntoSkins) + "\n" + LangStr(kImportIt) + "\n\n\n";
}

std::string DeleteSourceQuestionText() {
    return LangStr(kDeleteSource);
}

TextureImportResult ImportTexture(const TextureImportRequest& request, const SkinFolders& folders,
                                  const fs::path& skinsFolder, Dialogs& dialogs) {
    const TextureImportPlan plan = PlanTextureImport(request, folders, skinsFolder);
    TextureImportResult result;
    if (!plan.installed.empty() && !AskToReplace(dialogs, request.textureFileName)) return result;
    if (StyledMessageDlg(dialogs, LangStr(kTitle), ImportConfirmationText(request.textureFileName, request.mesh),
                         MsgKind::Confirmation, 0, mrNone, mbOKCancel) != mrOk) {
        return result;
    }
    const auto fail = [&](MessageId message, const std::string& detail) {
        TellSkinTool(dialogs, LangStr(message) + "\n" + detail, MsgKind::Error);
        result.outcome = ImportOutcome::Failed;
        return result;
    };
    // Read first: the chosen bitmap may be the very file that goes to the Trash.
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadFileBytes(request.bitmap);
    } catch (const std::exception& error) {
        return fail(kImportFailed, error.what());
    }
    const bool sourceIsInstalled = !plan.installed.empty() && sameFile(request.bitmap, plan.installed);
    std::optional<TrashedItem> trashed;
    if (!plan.installed.empty()) {
        try {
            trashed = MoveToTrash(plan.installed);
            result.replaced = trashed->item;
        } catch (const ShellOperationError& error) {
            return fail(error.messageId(), error.what());
        }
    }
    try {
        WriteSkinFile(plan.target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::exception& error) {
        // A failed import leaves the skins folder as it was.
        if (trashed && PutBackFromTrash(*trashed, plan.installed)) result.replaced.clear();
        return fail(kImportFailed, error.what());
    }
    result.written = plan.target;
    result.outcome = ImportOutcome::Imported;
    // The bitmap is the new texture itself when it was chosen from the skins folder under its own name.
    if (sourceIsInstalled || sameFile(request.bitmap, plan.target)) return result;
    if (StyledMessageDlg(dialogs, LangStr(kTitle), DeleteSourceQuestionText(), MsgKind::Confirmation, 0, mrNone,
                         mbYesNo) == mrYes) {
        try {
            MoveToTrash(request.bitmap);
            result.sourceTrashed = true;
        } catch (const ShellOperationError& error) {
            TellSkinTool(dialogs, LangStr(kImportFailed) + "\n" + error.what(), MsgKind::Error);
        }
    }
    return result;
}

}  // namespace corvane
