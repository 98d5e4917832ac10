#include "app/ui/ReportFailure.h"

#include "platform/StyledMessageDlg.h"
#include "platform/LanguageModule.h"

#include <exception>

namespace corvane {

bool ReportFailure(Dialogs& dialogs, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        StyledMessageDlg(dialogs, LangStr(5022), error.what(), MsgKind::Error, 0, mrOk, mbOK);
    }
    return false;
}

}  // namespace corvane
