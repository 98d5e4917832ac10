#pragma once

#include "platform/Dialogs.h"

#include <string>

namespace corvane {

// The localised caption of a button, by its result (OK 5010, Cancel 5011, …).
std::string ButtonCaption(ModalResult result);

// Shows a message dialog in the inverse of the main window's colours (its
// text colour as background, its background as text colour) and font, with
// localised button captions. `defaultResult` names the default button (mrNone:
// none). Returns the pressed button's result.
ModalResult StyledMessageDlg(Dialogs& dialogs, const std::string& caption, const std::string& text, MsgKind kind,
                             int helpContext, ModalResult defaultResult, MsgButtons buttons);

}  // namespace corvane
