#pragma once

#include "platform/AtomicFileSet.h"

#include <string>

namespace corvane {

// What the user is told about a save that was cut off and has now been
// completed or undone, with the files it concerned; empty when there was none.
std::string InterruptedSaveText(const InterruptedSave& save);

// At the start of the editor or the command line: completes or undoes a save
// that was cut off, and says what became of it (`text`, empty when there was
// none), or why it could not be finished (`failed`: the files it was writing
// may then be part old, part new until it is).
struct InterruptedSaveReport {
    std::string text;
    bool failed = false;
};
InterruptedSaveReport FinishInterruptedSaveAndDescribe();

}  // namespace corvane
