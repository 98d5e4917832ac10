#pragma once

#include "platform/Dialogs.h"
#include "platform/LanguageModule.h"

#include <string>

namespace corvane {

// The localised caption of a button, by its result (OK 5010, Cancel 5011, …).
std::string ButtonCaption(ModalResult result);

// Shows a message dialog with localised button captions. `defaultResult` names
// the default button (mrNone: none); `question` the message id of a question
// that scripts answer (the command line agrees to a save by it). Returns the pressed button's result. The
// editor's dialogs show it in the editor's message style (see
// SetMessageStyle in platform/ui/QtDialogs.h).
ModalResult StyledMessageDlg(Dialogs& dialogs, const std::string& caption, const std::string& text, MsgKind kind,
                             int helpContext, ModalResult defaultResult, MsgButtons buttons,
                             MessageId question = {});

}  // namespace corvane
