#pragma once

#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "sim/CharacterList.h"
#include "skins/SkinCatalogue.h"

#include <filesystem>
#include <functional>

namespace corvane {

struct CharacterSaveSettings {
    std::filesystem::path gameFolder;
    std::filesystem::path neighbourhoodFolder;  // holds neighborhood.iff and Characters/
    std::filesystem::path applicationFolder;    // where newly drawn character images wait
    int expansionLevel = 0;
    int languageNumber = 1;
};

struct CharacterSaveServices {
    Dialogs& dialogs;
    Progress& progress;
    // The skin catalogue, built first when it is not there yet.
    std::function<const SkinCatalogue&()> skinCatalogue;
};

struct CharacterSaveResult {
    bool asked = false;            // some characters were modified
    bool saved = false;            // and the user said Yes
    bool familiesChanged = false;  // neighborhood.iff's households were rewritten: read it again
};

// Writes every modified character of the list back into the game's files,
// after asking: its values into neighborhood.iff in place, its character file
// rebuilt; then the household moves and family names. A character that
// cannot be saved is reported and left exactly as it was on disk; the others
// go on. Anything but Yes saves nothing and keeps every record modified.
CharacterSaveResult SaveModifiedCharacters(CharacterList& list, const CharacterSaveSettings& settings,
                                           CharacterSaveServices& services);

}  // namespace corvane
