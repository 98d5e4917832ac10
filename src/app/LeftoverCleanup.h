#pragma once

#include "platform/Leftover.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// At the start of the editor or the command line, once a cut-off save is
// completed or undone: what killed backups, restores, copies, moves of the
// duplicate store and all-or-nothing writes left in the game's folder, its
// neighbourhoods, its skin folders, the backups and the duplicate store.
// Only names of the shapes those operations give are touched: a staged copy
// or a temporary file is removed, a file or folder set aside goes back where
// its name is free, anything that may be the user's only copy goes to the
// Trash. Call it only while this process holds the installation's lock.
std::vector<Leftover> CleanUpLeftovers(const std::filesystem::path& gamePath, int expansionLevel);

// At start, while this process holds the installation's lock: a save cut off
// last time is completed or undone (InterruptedSaveReport), and when that
// went well, the leftovers are cleaned up. `text` is what the user is told
// (empty: nothing); `failed`: the cut-off save could not be finished, so its
// files may be part old, part new, and nothing was cleaned up.
struct InterruptedWorkReport {
    std::string text;
    bool failed = false;
};
InterruptedWorkReport RecoverInterruptedWork(const std::filesystem::path& gamePath, int expansionLevel);

// What the user is told: a line for each leftover cleaned up (or that could
// not be); empty when there was nothing to tell.
std::string LeftoverReport(const std::vector<Leftover>& leftovers);

}  // namespace corvane
