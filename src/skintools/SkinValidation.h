#pragma once

#include "skins/ProblemRecordDetails.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/ScanControl.h"

#include <cstddef>
#include <vector>

namespace corvane {

// The validation of every installed character file and skin texture.

struct ValidationResult {
    ProblemList problems;    // character-file problems first, then textures, in listing order
    bool stopped = false;    // the user stopped the check; `problems` holds what was found so far
    SkippedFiles skipped;    // FIFOs, sockets and devices named as skins: never opened
};

// Discards and rebuilds `catalogue` (so that files added since the last build
// are seen), then checks every skin character file ("BadName", "MissingSKN")
// and every texture ("BmpColors", "BmpDimensions") of `folders`. The busy
// texts are messages 7115 and 7116; the bar runs over the textures.
ValidationResult ValidateSkins(const SkinFolders& folders, SkinCatalogue& catalogue, const ScanControl& control);

// What a double click on a problem opens.
enum class ProblemRepair {
    ColourEditor,         // "BmpColors": the colour-correction editor
    ShowDescription,      // "BmpDimensions": only the description, in a message
    CharacterFileEditor,  // "BadName", "MissingSKN" and any other kind
};
ProblemRepair RepairFor(const ProblemRecordDetails& problem);

// After an editor closed on `handled`, whatever its result: removes every
// problem with the same folder and file name from `problems` and returns
// their former positions, last first (the order the list's rows go).
std::vector<std::size_t> RemoveProblemsOfFile(ProblemList& problems, const ProblemRecordDetails& handled);

}  // namespace corvane
