#pragma once

#include "neighbourhoods/GameFileWrite.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "sim/CharacterList.h"
#include "skins/SkinCatalogue.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvane {

// What a save writes besides the records' changes (a profile's import), in
// the same all-or-nothing step; nothing of it is written when a modified
// character cannot be saved.
struct SaveAdditions {
    // Installed with the characters' files; counted as installed when the
    // body strings are built.
    std::vector<InstalledGameFile> files;
    // New pictures by character FileName, in place of any waiting in the
    // editor's folder.
    std::map<std::string, std::vector<std::uint8_t>> images;

    bool empty() const { return files.empty() && images.empty(); }
};

struct CharacterSaveSettings {
    std::filesystem::path gameFolder;
    std::filesystem::path neighbourhoodFolder;  // holds neighborhood.iff and Characters/
    std::filesystem::path applicationFolder;    // where newly drawn character images wait
    int expansionLevel = 0;
    int languageNumber = 1;
    SaveAdditions additions;
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
    bool unanswered = false;       // a question was closed without Yes or No: nothing saved, nothing given up
    bool familiesChanged = false;  // neighborhood.iff's households were rewritten: read it again
    // A file had changed on disk since it was read: the records no longer
    // show what the files hold, so the neighbourhood is to be read again.
    bool reloadNeeded = false;
    std::vector<std::filesystem::path> leftChanged;  // such files the user chose to leave as they are
};

// Writes every modified character of the list back into the game's files,
// after asking: its values into neighborhood.iff in place, its character file
// rebuilt; then the household moves and family names. A character that
// cannot be saved is reported and left exactly as it was on disk; the others
// go on. No saves nothing and keeps every record modified; so does closing
// the question without an answer, which the result tells apart.
//
// A file that changed on disk since it was read (the game, or the command
// line, wrote it) is overwritten only when the user says Yes to the question
// naming it. No leaves it as it is and gives up the changes it would have
// held: a character file's character is left out of the save, and since
// neighborhood.iff holds every character's values, leaving it leaves the
// whole save undone. Either way the neighbourhood is to be read again. All
// questions come before any file is read for the save or written; a file
// another program writes after them, while the save runs, makes the save
// write nothing and say so. After a save the records hold the stamps of the
// files as written.
CharacterSaveResult SaveModifiedCharacters(CharacterList& list, const CharacterSaveSettings& settings,
                                           CharacterSaveServices& services);

}  // namespace corvane
