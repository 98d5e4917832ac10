#pragma once

#include "platform/Dialogs.h"
#include "platform/Registry.h"

#include <filesystem>

namespace corvane {

// Makes neighbourhood `number` (as shown in the list) the one the game opens
// next. Without expansion packs the game always opens "UserData", so the
// folders trade places: UserData → TempData, UserData<N> → UserData,
// TempData → UserData<N>. With a pack the game's key names it instead
// (SIMS_CURRENT_NEIGHBORHOOD_NUM and _PATH) and no folder moves.
//
// A failed rename shows message 7044 and puts back what had moved, so both
// neighbourhoods keep their folders; the remaining renames are not tried.
void SwapNeighbourhoodAtExit(int expansionLevel, int number, const std::filesystem::path& gamePath,
                             Registry& registry, Dialogs& dialogs);

}  // namespace corvane
