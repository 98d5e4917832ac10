#pragma once

#include "platform/Dialogs.h"
#include "platform/FileStamp.h"
#include "skins/CharacterFileCheck.h"
#include "skins/SkinCatalogue.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

namespace corvane {

// What the listings learnt of each character file they checked. A mesh list
// checks every candidate file, and players keep tens of thousands of them, so
// a file is read again only when its size or modification time moved or the
// catalogue's meshes changed (a skin tool discarded and rebuilt it). Only the
// findings are kept: a refused file is reported on every listing.
class MeshCheckCache {
public:
    // Makes the checks that follow look meshes up in `catalogue` (once per
    // listing: telling its mesh lists from the last ones reads them all).
    // The known meshes are built once while those lists stay the same; when
    // they change, every finding is forgotten.
    const KnownMeshes& useCatalogue(const SkinCatalogue& catalogue);

    // CheckCharacterFile in listing mode against the catalogue last given to
    // useCatalogue: true when the file is usable; its problems are shown
    // through `dialogs` (when not null) each time. Throws when the file cannot
    // be read, std::logic_error when no catalogue was given.
    bool checkForListing(const std::filesystem::path& path, Dialogs* dialogs);

    // Forgets everything.
    void clear();

private:
    struct Checked {
        FileStamp stamp;  // size and modification time when it was read
        CharacterFileFindings findings;
    };

    std::uint64_t catalogueFingerprint_ = 0;
    std::unique_ptr<KnownMeshes> meshes_;
    std::unordered_map<std::string, Checked> files_;  // by path
};

// The cache every listing of the editor shares.
MeshCheckCache& SharedMeshChecks();

}  // namespace corvane
