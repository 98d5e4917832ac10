#pragma once

#include "iff/NeighborhoodImage.h"
#include "neighbourhoods/CharacterLoader.h"
#include "platform/Dialogs.h"
#include "platform/FileStamp.h"
#include "platform/Progress.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace corvane {

// An open neighbourhood: its neighborhood.iff in memory and its characters
// in load order, each with its thumbnail.
struct OpenedNeighbourhood {
    std::unique_ptr<NeighborhoodImage> image;
    std::optional<FileStamp> imageStamp;  // neighborhood.iff's size and time as read
    std::vector<std::unique_ptr<Sim>> characters;
    std::vector<std::optional<Bitmap>> thumbnails;  // one per character, same order
    // Why no character could be opened (the message shown: neighborhood.iff
    // unreadable, damaged or of another version); empty otherwise.
    std::string failure;
};

struct NeighbourhoodLoadSettings {
    std::filesystem::path folder;           // the neighbourhood's folder
    int expansionLevel = 0;
    int languageNumber = 1;
    bool hasFameFolders = false;
    std::filesystem::path applicationFolder;  // where leftover character images lie (empty: none removed)
    std::function<bool(const std::string&)> textureInstalled;
    // Only the editor, opening a neighbourhood for editing, may move character
    // files too short to be characters, or damaged ones the user gives up, to
    // the Trash. Otherwise (reading) every file stays where it is and such a
    // file is listed as damaged.
    bool mayMoveFiles = false;
};

// The character files (*.iff) of the neighbourhood `folder`'s "Characters"
// folder, letter case ignored, sorted by name.
std::vector<std::filesystem::path> CharacterFilesOf(const std::filesystem::path& folder);

// Whether neighborhood.iff's game version fits the installed expansion level.
bool NeighbourhoodVersionFits(int expansionLevel, int version);

// Opens a neighbourhood: reads neighborhood.iff, checks that it is whole and
// of the right version, loads every character file and attaches the
// relationships. Messages and the damaged-file question go through `dialogs`,
// naming the file, the offset and the cause of each fault. A damaged
// neighborhood.iff lists no character, so nothing can be saved into it.
// With `mayMoveFiles`, files too short to be characters and damaged files the
// user gives up go to the Trash; otherwise they are left in place and listed.
OpenedNeighbourhood OpenNeighbourhood(const NeighbourhoodLoadSettings& settings, Dialogs& dialogs, Progress& progress);

// Reads the relationships of every character from its neighbour record.
void AttachRelationships(const NeighborhoodImage& image, std::vector<std::unique_ptr<Sim>>& characters);

}  // namespace corvane
