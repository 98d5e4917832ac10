#pragma once

#include "platform/AtomicFileSet.h"

#include <string>

namespace corvane {

// What the user is told about a save that was cut off and has now been
// completed or undone, with the files it concerned; empty when there was none.
std::string InterruptedSaveText(const InterruptedSave& save);

// At the start of the editor or the command line: completes or undoes a save
// that was cut off, and says what became of it (or why it could not be
// finished); empty when there was none.
std::string FinishInterruptedSaveAndDescribe();

}  // namespace corvane
