#pragma once

#include "platform/ShellFileOps.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"

#include <set>

#include <string>
#include <string_view>
#include <unordered_set>

namespace corvane {

// Whether a skin a character names is installed, for checking many names at
// once: the skin folders are listed once and the catalogue's entry names
// indexed once, instead of a folder search per name.
class InstalledSkinIndex {
public:
    // The files FindSkinFile would find: the search folders' files, and the
    // visible files directly in the fallback folders. The archive lists of
    // `catalogue` that are absent count as empty.
    InstalledSkinIndex(const SkinFolders& folders, const SkinCatalogue& catalogue);

    // `name` + `extension` (".cmx" or ".bmp") is a loose file, letter case
    // ignored; else a character file ".cmx" is an archive entry
    // "name.cmx.bcf", any other an archive texture entry "name" + extension.
    // An empty name is never installed.
    bool SkinInstalled(const std::string& name, std::string_view extension) const;

    // The FIFOs, sockets and devices named as character files or textures:
    // the game cannot load them, so they do not count as installed.
    const SkippedFiles& skipped() const { return skipped_; }

private:
    void indexFolder(const SkinFolders& folders, const std::string& relative, bool withHidden);

    SkippedFiles skipped_;
    std::set<FileIdentity> indexedFolders_;
    std::unordered_set<std::string> looseFiles_;         // lower-cased file names
    std::unordered_set<std::string> characterEntries_;   // lower-cased entry names
    std::unordered_set<std::string> textureEntries_;
};

}  // namespace corvane
