#pragma once

#include "platform/Dialogs.h"
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
    // The meshes the catalogue knows, built once while its mesh lists stay
    // the same; when they change, every finding is forgotten.
    const KnownMeshes& knownMeshes(const SkinCatalogue& catalogue);

    // CheckCharacterFile in listing mode: true when the file is usable; its
    // problems are shown through `dialogs` (when not null) each time. Throws
    // when the file cannot be read.
    bool checkForListing(const std::filesystem::path& path, const SkinCatalogue& catalogue, Dialogs* dialogs);

    // Forgets everything.
    void clear();

private:
    struct Checked {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type modified;
        CharacterFileFindings findings;
    };

    std::uint64_t catalogueFingerprint_ = 0;
    std::unique_ptr<KnownMeshes> meshes_;
    std::unordered_map<std::string, Checked> files_;  // by path
};

// The cache every listing of the editor shares.
MeshCheckCache& SharedMeshChecks();

}  // namespace corvane
