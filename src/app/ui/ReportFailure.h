#pragma once

#include "platform/Dialogs.h"

#include <functional>

namespace corvane {

// Runs the work of a UI entry point (a handler, the save, a neighbourhood
// change, start-up). A failure is shown as a message with its whole text and
// the editor keeps running; a failed file operation of the shell says so
// first (message 7044). False when the work failed.
bool ReportFailure(Dialogs& dialogs, const std::function<void()>& work);

}  // namespace corvane
