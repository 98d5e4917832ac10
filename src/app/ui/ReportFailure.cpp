#include "app/ui/ReportFailure.h"

#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"

#include <exception>

namespace corvane {

bool ReportFailure(Dialogs& dialogs, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const ShellOperationError& failure) {
        // The shell's own message first, then which files and why.
        StyledMessageDlg(dialogs, LangStr(5022), LangStr(failure.messageId()) + "\n" + failure.what(), MsgKind::Error,
                         0, mrOk, mbOK);
    } catch (const std::exception& error) {
        StyledMessageDlg(dialogs, LangStr(5022), error.what(), MsgKind::Error, 0, mrOk, mbOK);
    }
    return false;
}

}  // namespace corvane
