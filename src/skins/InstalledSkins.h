#pragma once

#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace corvane {

// Whether the game can find a skin a character names: a loose file in the
// skin folders, or an entry of the game's archives. A save writes only
// installed skins into the body strings, never a dangling name.
class InstalledSkins {
public:
    // Its entry names are indexed once. While the catalogue is incomplete (an
    // archive could not be read), a name found nowhere still counts as
    // installed: it may lie in that archive, and dropping it would lose the
    // character's outfit.
    InstalledSkins(const SkinFolders& folders, const SkinCatalogue& catalogue);
    // Also counting as installed the skin files `comingFiles` names ("name.cmx",
    // "name.bmp"), which are written together with the files that name them.
    InstalledSkins(const SkinFolders& folders, const SkinCatalogue& catalogue,
                   const std::vector<std::string>& comingFiles);

    bool meshInstalled(const std::string& name) const;     // "name.cmx"
    bool textureInstalled(const std::string& name) const;  // "name.bmp"
    // "name.bmp" is a loose file of the skin folders, not only an archive entry.
    bool textureIsLoose(const std::string& name) const;

private:
    bool installed(const std::string& name, std::string_view extension,
                   const std::unordered_set<std::string>& archived) const;

    const SkinFolders& folders_;
    std::unordered_set<std::string> archivedMeshes_;    // lower-case entry names
    std::unordered_set<std::string> archivedTextures_;
    bool catalogueIncomplete_;
    std::unordered_set<std::string> comingFiles_;  // lower case
};

}  // namespace corvane
