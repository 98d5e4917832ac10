// One editor at a time changes an installation; a second one may look, read-only.

#include "app/LeftoverCleanup.h"
#include "app/Settings.h"
#include "app/ui/TfrmMain.h"
#include "platform/GameWriteGuard.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"

namespace corvane {

namespace {

inline constexpr MessageId kInstallationInUse{7305};
inline constexpr MessageId kOpenReadOnly{7306};

}  // namespace

bool TfrmMain::takeInstallationLock() {
    const std::filesystem::path& game = AppSettings().GamePath;
    RefuseWritesBelow({});
    try {
        installationLock_ = InstallationLock::TryTake(game, InstallationLock::ThisProcess("Corvane 3D"));
    } catch (const std::exception& error) {
        // No lock file can be made (the application folder is not writable):
        // the editor still works, only without the guard against a second one.
        StyledMessageDlg(services_.dialogs, LangStr(5022), error.what(), MsgKind::Warning, 0, mrOk, mbOK);
        return true;
    }
    if (installationLock_) {
        return true;
    }
    const std::string holder = InstallationLock::Holder(game);
    const std::string text = LangStr(kInstallationInUse) + "\n" + game.string() +
                             (holder.empty() ? std::string() : "\n(" + holder + ")") + "\n" + LangStr(kOpenReadOnly);
    if (StyledMessageDlg(services_.dialogs, LangStr(5022), text, MsgKind::Confirmation, 0, mrNo, mbYesNo) != mrYes) {
        return false;
    }
    RefuseWritesBelow(game);
    return true;
}

void TfrmMain::recoverInterruptedWork() {
    // Read-only, the editor that holds the lock has done it, and may be working right now.
    if (!installationLock_) return;
    const InterruptedWorkReport report = RecoverInterruptedWork(AppSettings().GamePath, AppSettings().ExpansionLevel);
    if (!report.text.empty()) {
        StyledMessageDlg(services_.dialogs, LangStr(5022), report.text, MsgKind::Warning, 0, mrOk, mbOK);
    }
}

}  // namespace corvane
