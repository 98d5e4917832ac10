#include "cli/CliDialogs.h"

namespace corvane::cli {

ModalResult CliDialogs::showMessage(const MessageRequest& request) {
    errors_ << request.text << "\n";
    const bool agreed = !agreedQuestion_.empty() && request.text == agreedQuestion_;
    for (const DialogButton& button : request.buttons) {
        if (agreed && button.result == mrYes) return mrYes;
    }
    for (const DialogButton& button : request.buttons) {
        if (button.result == mrNo || button.result == mrCancel) return button.result;
    }
    return request.buttons.empty() ? mrOk : request.buttons.front().result;
}

}  // namespace corvane::cli
