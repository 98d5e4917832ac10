#include "skins/SkinFolders.h"

#include "platform/AsciiText.h"
#include "platform/ShellFileOps.h"
#include "skins/FolderListingCache.h"
#include "skins/SkinNames.h"
#include "skins/WildcardMask.h"

#include <optional>
#include <set>
#include <system_error>

namespace corvane {

namespace {

// The search folder that expansion level 5 leaves out.
constexpr std::string_view kSkippedAtLevel5 = "ExpansionPack3\\SkinsBuy\\";

std::vector<std::string> allSearchFolders() {
    std::vector<std::string> folders{"GameData\\Skins\\"};
    for (int pack = 2; pack <= 7; ++pack) {
        folders.push_back("ExpansionPack" + std::to_string(pack) + "\\Skins\\");
    }
    folders.push_back("ExpansionShared\\Skins\\");
    for (int pack = 3; pack <= 7; ++pack) {
        folders.push_back("ExpansionPack" + std::to_string(pack) + "\\SkinsBuy\\");
    }
    folders.push_back("ExpansionShared\\SkinsBuy\\");
    folders.push_back("Deluxe\\Skins\\");
    folders.push_back("Deluxe\\SkinsBuy\\");
    return folders;
}

bool isHidden(const std::string& name) {
    return name.starts_with('.');
}

// The first plain file of the listing with that lower-cased name.
const FolderListing::Entry* firstPlainFile(const FolderListing& listing, const std::string& lowerName) {
    auto first = listing.firstByLower.find(lowerName);
    if (first == listing.firstByLower.end()) {
        return nullptr;
    }
    for (std::size_t i = first->second; i < listing.entries.size(); ++i) {
        const auto& entry = listing.entries[i];
        if (entry.lowerName == lowerName && !entry.isFolder && !isHidden(entry.name)) {
            return &entry;
        }
    }
    return nullptr;
}

// Each listed entry of a folder (through the shared cache) that `keep` accepts.
template <typename Keep>
void appendMatching(const std::filesystem::path& folder, Keep keep, std::vector<std::filesystem::path>& list) {
    auto listing = SharedFolderListings().listing(folder);
    if (!listing) {
        return;
    }
    for (const auto& entry : listing->entries) {
        if (keep(entry)) {
            list.push_back(folder / entry.name);
        }
    }
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (joined.empty() || joined.back() != '\\') {
        joined += '\\';
    }
    return joined + std::string(name);
}

std::int64_t FileSizeKB(const std::filesystem::path& file) {
    std::error_code ec;
    auto size = std::filesystem::file_size(file, ec);
    return ec ? 0 : static_cast<std::int64_t>(size / 1024);
}

namespace {

// A folder is listed once however many links lead to it: a link to a folder
// above it would otherwise be followed until the paths grow too long.
void listFolderFiles(const std::filesystem::path& folder, std::string_view mask,
                     std::vector<std::filesystem::path>& list, bool recursive, std::set<FileIdentity>& visited) {
    const std::optional<FileIdentity> identity = IdentityOf(folder);
    if (!identity || !visited.insert(*identity).second) {
        return;
    }
    auto listing = SharedFolderListings().listing(folder);
    if (!listing) {
        return;
    }
    for (const auto& entry : listing->entries) {
        if (!entry.isFolder && !isHidden(entry.name) && MatchesMask(mask, entry.name)) {
            list.push_back(folder / entry.name);
        }
    }
    if (recursive) {
        for (const auto& entry : listing->entries) {
            if (entry.isFolder) {
                listFolderFiles(folder / entry.name, mask, list, true, visited);
            }
        }
    }
}

}  // namespace

void ListFolderFiles(const std::filesystem::path& folder, std::string_view mask, std::vector<std::filesystem::path>& list,
                     bool recursive) {
    std::set<FileIdentity> visited;
    listFolderFiles(folder, mask, list, recursive, visited);
}

SkinFolders::SkinFolders(std::filesystem::path gamePath, int expansionLevel)
    : gamePath_(std::move(gamePath)), expansionLevel_(expansionLevel) {}

std::vector<std::string> SkinFolders::SearchFolders() const {
    std::vector<std::string> folders = allSearchFolders();
    if (expansionLevel_ == 5) {
        std::erase(folders, std::string(kSkippedAtLevel5));
    }
    return folders;
}

std::vector<std::string> SkinFolders::FallbackFolders() {
    std::vector<std::string> folders{"GameData\\Animation\\", "GameData\\Textures\\", "GameData\\People\\",
                                     "GameData\\Cmx\\"};
    for (const char* base : {"GameData\\Textures", "GameData\\People", "GameData\\Cmx"}) {
        for (int digit = 1; digit <= 9; ++digit) {
            folders.push_back(std::string(base) + std::to_string(digit) + "\\");
        }
    }
    return folders;
}

std::filesystem::path SkinFolders::FindSkinFile(std::string_view name, std::string_view extension) const {
    FolderListingCache& cache = SharedFolderListings();
    const std::string fileName = std::string(name) + std::string(extension);
    for (const std::string& relative : SearchFolders()) {
        std::filesystem::path folder = cache.resolveExisting(gamePath_, relative);
        auto listing = folder.empty() ? nullptr : cache.listing(folder);
        const FolderListing::Entry* entry = listing ? listing->find(fileName) : nullptr;
        if (entry != nullptr && !entry->isFolder) {
            return folder / entry->name;
        }
    }
    const std::string lowerName = ToLowerAscii(fileName);
    for (const std::string& relative : FallbackFolders()) {
        std::filesystem::path folder = cache.resolveExisting(gamePath_, relative);
        auto listing = folder.empty() ? nullptr : cache.listing(folder);
        if (!listing) {
            continue;
        }
        if (const FolderListing::Entry* entry = firstPlainFile(*listing, lowerName)) {
            return folder / entry->name;
        }
    }
    return {};
}

std::vector<std::filesystem::path> SkinFolders::ListSkinFiles(std::string_view mask) const {
    std::vector<std::filesystem::path> list;
    FolderListingCache& cache = SharedFolderListings();
    for (const std::string& relative : SearchFolders()) {
        std::filesystem::path folder = cache.resolveExisting(gamePath_, relative);
        if (!folder.empty()) {
            appendMatching(folder, [&](const auto& entry) { return MatchesMask(mask, entry.name); }, list);
        }
    }
    for (const std::string& relative : FallbackFolders()) {
        std::filesystem::path folder = cache.resolveExisting(gamePath_, relative);
        if (!folder.empty()) {
            ListFolderFiles(folder, mask, list, true);
        }
    }
    return list;
}

std::vector<std::filesystem::path> SkinFolders::ListSkinFilesFiltered(std::string_view mask) const {
    std::vector<std::filesystem::path> list;
    for (std::filesystem::path& path : ListSkinFiles(mask)) {
        if (IsSkinFileName(ToLowerAscii(path.filename().string()))) {
            list.push_back(std::move(path));
        }
    }
    return list;
}

}  // namespace corvane
