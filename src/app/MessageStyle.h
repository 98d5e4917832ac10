#pragma once

#include "app/Settings.h"
#include "platform/Dialogs.h"

namespace corvane {

// The look of the editor's messages: the inverse of the main window's colours
// (its text colour as background, its background as text colour) in its
// font, at size 8 whatever size the window uses.
MessageStyle MessageStyleFor(const Settings& settings);

}  // namespace corvane
