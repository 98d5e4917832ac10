#include "skintools/TextureImport.h"

#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"
#include "skintools/SkinToolFiles.h"

#include <algorithm>
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
    return PlanSkinFileReplacement(folders, skinsFolder, request.textureFileName);
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
    if (plan.replacesAny() && !AskToReplace(dialogs, request.textureFileName, plan, folders.gamePath())) {
        return result;
    }
    if (StyledMessageDlg(dialogs, LangStr(kTitle), ImportConfirmationText(request.textureFileName, request.mesh),
                         MsgKind::Confirmation, 0, mrNone, mbOKCancel) != mrOk) {
        return result;
    }
    const auto fail = [&](MessageId message, const std::string& detail) {
        TellSkinTool(dialogs, LangStr(message) + "\n" + detail, MsgKind::Error);
        result.outcome = ImportOutcome::Failed;
        return result;
    };
    // Read first: the chosen bitmap may be one of the files that go to the Trash.
    std::vector<std::uint8_t> bytes = request.corrected;
    if (bytes.empty()) {
        try {
            bytes = ReadFileBytes(request.bitmap);
        } catch (const std::exception& error) {
            return fail(kImportFailed, error.what());
        }
    }
    const bool sourceIsInstalled = std::any_of(plan.installed.begin(), plan.installed.end(),
                                               [&](const fs::path& file) { return sameFile(request.bitmap, file); });
    ReplacedSkinFile replaced;
    try {
        replaced = ReplaceSkinFile(plan, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const ShellOperationError& error) {
        return fail(error.messageId(), error.what());
    } catch (const std::exception& error) {
        return fail(kImportFailed, error.what());
    }
    result.written = replaced.written;
    result.replaced = replaced.trashed;
    result.outcome = ImportOutcome::Imported;
    if (!replaced.notTrashed.empty()) TellSkinTool(dialogs, NotTrashedText(replaced), MsgKind::Warning);
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
