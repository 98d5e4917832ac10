#pragma once

#include "app/Settings.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodLoader.h"

#include <filesystem>

namespace corvane {

// How the neighbourhood in `folder` is read, from the editor's settings: the
// editor and the command line open neighbourhoods alike. Only the editor,
// opening one for editing, passes `mayMoveFiles`.
NeighbourhoodLoadSettings LoadSettingsFor(const Settings& settings, const std::filesystem::path& folder,
                                          bool mayMoveFiles);

// How the characters of the neighbourhood in `folder` are saved, from the
// editor's settings.
CharacterSaveSettings SaveSettingsFor(const Settings& settings, const std::filesystem::path& folder);

}  // namespace corvane
