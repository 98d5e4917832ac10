#pragma once

#include "neighbourhoods/ChangedFilesMerge.h"
#include "neighbourhoods/GameFileWrite.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/Dialogs.h"
#include "platform/LanguageModule.h"
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
    // How the neighbourhood was read, to read it again when another program
    // changed its files since (the folder is the neighbourhood folder above).
    NeighbourhoodLoadSettings reading;
    SaveAdditions additions;
};

struct CharacterSaveServices {
    Dialogs& dialogs;
    Progress& progress;
    // The skin catalogue, built first when it is not there yet.
    std::function<const SkinCatalogue&()> skinCatalogue;
    // Settles a value changed both in the editor and by another program;
    // without it the user is asked (AskAboutConflict).
    ConflictSettler settleConflict = {};
};

struct CharacterSaveResult {
    bool asked = false;            // some characters were modified
    bool saved = false;            // and the user said Yes
    bool unanswered = false;       // a question was closed without Yes or No: nothing saved, nothing given up
    bool familiesChanged = false;  // neighborhood.iff's households were rewritten: read it again
    // Files another program had changed were read again and saved with the
    // user's changes carried over: the neighbourhood is to be read again, so
    // that it shows everything those files hold.
    bool reloadNeeded = false;
};

// "Some Sims have been changed. Do you want to save them?"
inline constexpr MessageId kSaveQuestion{8075};

// Writes every modified character of the list back into the game's files,
// after asking: its values into neighborhood.iff in place, its character file
// rebuilt; then the household moves and family names. A character that
// cannot be saved is reported and left exactly as it was on disk; the others
// go on. No saves nothing and keeps every record modified; so does closing
// the question without an answer, which the result tells apart.
//
// When a file the save would write changed on disk since it was read (the
// game, or the command line, wrote it), the neighbourhood is read again and
// the save writes the files as they are now with only the user's own
// changes carried over (MergeChangedFiles): what the other program wrote
// stays, and the records show it. A value both changed is settled by the
// services (the user is asked: Yes the editor's value, No the value on disk);
// a cancelled question saves nothing and changes nothing. All questions come
// before any file is written; a file another program writes after them,
// while the save runs, makes the save write nothing and say so. After a save
// the records hold the stamps of the files as written.
CharacterSaveResult SaveModifiedCharacters(CharacterList& list, const CharacterSaveSettings& settings,
                                           CharacterSaveServices& services);

}  // namespace corvane
