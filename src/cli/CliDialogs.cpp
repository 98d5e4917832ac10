#include "cli/CliDialogs.h"

namespace corvane::cli {

ModalResult CliDialogs::showMessage(const MessageRequest& request) {
    errors_ << request.text << "\n";
    for (const DialogButton& button : request.buttons) {
        if (button.result == mrNo) return mrNo;
    }
    return request.buttons.empty() ? mrOk : request.buttons.front().result;
}

}  // namespace corvane::cli
