#pragma once

#include "platform/Dialogs.h"

#include <functional>

namespace corvane {

// Runs the work of a UI entry point (a handler, the save, a neighbourhood
// change, start-up). A failure is shown as a message with its whole text and
// the editor keeps running. False when the work failed.
bool ReportFailure(Dialogs& dialogs, const std::function<void()>& work);

}  // namespace corvane
