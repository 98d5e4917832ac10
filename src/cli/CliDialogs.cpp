#include "cli/CliDialogs.h"

#include "cli/Chatter.h"

#include <algorithm>

namespace corvane::cli {

ModalResult CliDialogs::showMessage(const MessageRequest& request) {
    // A question has a choice of buttons; nobody reads it, so it is answered, never printed.
    const bool question = request.buttons.size() > 1;
    if (!question && ToolChatter().messages) errors_ << request.text << "\n";
    const ModalResult answer = answerTo(request);
    if (question && ToolChatter().answered) ToolChatter().answered(request.text, answer);
    return answer;
}

ModalResult CliDialogs::answerTo(const MessageRequest& request) const {
    const bool agreedById =
        request.questionId != 0 && std::any_of(agreedQuestionIds_.begin(), agreedQuestionIds_.end(),
                                               [&](MessageId id) { return id.value == request.questionId; });
    const bool agreed = agreedById || (!request.text.empty() && std::find(agreedQuestions_.begin(),
                                                                          agreedQuestions_.end(),
                                                                          request.text) != agreedQuestions_.end());
    for (const ModalResult agreement : {mrYes, mrOk}) {
        for (const DialogButton& button : request.buttons) {
            if (agreed && button.result == agreement) return agreement;
        }
    }
    for (const DialogButton& button : request.buttons) {
        if (button.result == mrNo || button.result == mrCancel) return button.result;
    }
    return request.buttons.empty() ? mrOk : request.buttons.front().result;
}

}  // namespace corvane::cli
