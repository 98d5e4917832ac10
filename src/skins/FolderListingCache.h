#pragma once

#include "platform/RegularFile.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

// One folder's entries as they were when last read.
struct FolderListing {
    struct Entry {
        std::string name;       // as on disk
        std::string lowerName;  // for the game's letter-case-blind lookups
        bool isFolder = false;
        // What the entry reaches, links followed: the same identity seen
        // under two paths is one file. Empty when it cannot be reached.
        std::optional<FileIdentity> identity;
        // Set for a FIFO, socket or device: never to be opened for reading.
        std::optional<SpecialFileKind> special;
    };
    std::vector<Entry> entries;                                 // in name order
    std::unordered_map<std::string, std::size_t> firstByLower;  // lower-cased name -> first entry
    std::unordered_map<std::string, std::size_t> byName;        // name as on disk -> entry

    // The entry `name` names: its exact spelling first, else the first entry
    // of the same letters in another case; nullptr when there is none.
    const Entry* find(const std::string& name) const;
};

// Folder listings kept between lookups. Skin folders hold tens of thousands
// of files and are searched for every list entry a page shows, so each
// folder is read once and read again only when its modification time moved
// (a file added, removed or renamed). A folder that does not exist costs one
// failed status call.
class FolderListingCache {
public:
    // The listing of `folder`, or nullptr when it is not a readable folder.
    std::shared_ptr<const FolderListing> listing(const std::filesystem::path& folder);

    // `relative` (backslashes or slashes) below `base`, each component matched
    // ignoring letter case through the cached listings; empty when a
    // component does not exist.
    std::filesystem::path resolveExisting(const std::filesystem::path& base, std::string_view relative);

    void clear() { folders_.clear(); }

private:
    struct Cached {
        std::filesystem::file_time_type modified;
        std::shared_ptr<const FolderListing> listing;
    };
    std::unordered_map<std::string, Cached> folders_;
};

// The cache every skin lookup of the editor shares.
FolderListingCache& SharedFolderListings();

}  // namespace corvane
