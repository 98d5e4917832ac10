#include "platform/StyledMessageDlg.h"

#include "platform/LanguageModule.h"

#include <array>
#include <utility>

namespace corvane {

namespace {

// Buttons in the order a standard message dialog lays them out.
constexpr std::array<std::pair<ModalResult, MessageId>, 8> kButtonCaptions{{
    {mrYes, MessageId{5013}},
    {mrNo, MessageId{5014}},
    {mrOk, MessageId{5010}},
    {mrCancel, MessageId{5011}},
    {mrAbort, MessageId{5019}},
    {mrRetry, MessageId{5015}},
    {mrIgnore, MessageId{5020}},
    {mrAll, MessageId{5021}},
}};

}  // namespace

std::string ButtonCaption(ModalResult result) {
    for (const auto& [buttonResult, id] : kButtonCaptions) {
        if (buttonResult == result) {
            return LangStr(id);
        }
    }
    return {};
}

ModalResult StyledMessageDlg(Dialogs& dialogs, const std::string& caption, const std::string& text, MsgKind kind,
                             int helpContext, ModalResult defaultResult, MsgButtons buttons, MessageId question) {
    MessageRequest request;
    request.questionId = question.value;
    request.caption = caption;
    request.text = text;
    request.kind = kind;
    request.helpContext = helpContext;
    for (const auto& [result, id] : kButtonCaptions) {
        if ((buttons & ButtonFor(result)) != 0) {
            request.buttons.push_back({result, LangStr(id)});
        }
    }
    request.defaultResult = (buttons & ButtonFor(defaultResult)) != 0 ? defaultResult : mrNone;
    return dialogs.showMessage(request);
}

}  // namespace corvane
