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

// One walk over folders, which lists every file once: a folder that links
// lead to more than once (a search folder linked into another, a link to a
// folder above it) is walked only the first time, and a file reached under a
// second path is the same file, not a copy. FIFOs, sockets and devices are
// never listed: reading one could wait for ever.
class FileWalk {
public:
    FileWalk(std::string_view mask, std::vector<std::filesystem::path>& list, SkippedFiles* skipped)
        : mask_(mask), list_(list), skipped_(skipped) {}

    // With `plainOnly`, hidden entries and folders are left out, as the
    // fallback folders are read; else every matching entry counts, as the
    // search folders are read.
    void walk(const std::filesystem::path& folder, bool recursive, bool plainOnly) {
        const std::optional<FileIdentity> identity = IdentityOf(folder);
        if (!identity || !visitedFolders_.insert(*identity).second) return;
        const auto listing = SharedFolderListings().listing(folder);
        if (!listing) return;
        for (const auto& entry : listing->entries) {
            if (plainOnly && (entry.isFolder || isHidden(entry.name))) continue;
            if (MatchesMask(mask_, entry.name)) add(folder, entry);
        }
        if (!recursive) return;
        for (const auto& entry : listing->entries) {
            if (entry.isFolder) walk(folder / entry.name, true, plainOnly);
        }
    }

private:
    void add(const std::filesystem::path& folder, const FolderListing::Entry& entry) {
        if (entry.special) {
            if (skipped_ != nullptr) skipped_->push_back({folder / entry.name, *entry.special});
            return;
        }
        if (entry.identity && !listedFiles_.insert(*entry.identity).second) return;
        list_.push_back(folder / entry.name);
    }

    std::string_view mask_;
    std::vector<std::filesystem::path>& list_;
    SkippedFiles* skipped_;
    std::set<FileIdentity> visitedFolders_;
    std::set<FileIdentity> listedFiles_;
};

}  // namespace

std::string SkippedFileText(const SkippedFile& skipped) {
    return "skipped " + skipped.file.string() + ": not a regular file (" + SpecialFileKindText(skipped.kind) + ")";
}

void ListFolderFiles(const std::filesystem::path& folder, std::string_view mask, std::vector<std::filesystem::path>& list,
                     bool recursive, SkippedFiles* skipped) {
    FileWalk(mask, list, skipped).walk(folder, recursive, true);
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

std::vector<std::filesystem::path> SkinFolders::ListSkinFiles(std::string_view mask, SkippedFiles* skipped) const {
    std::vector<std::filesystem::path> list;
    FolderListingCache& cache = SharedFolderListings();
    FileWalk walk(mask, list, skipped);
    for (const std::string& relative : SearchFolders()) {
        std::filesystem::path folder = cache.resolveExisting(gamePath_, relative);
        if (!folder.empty()) walk.walk(folder, false, false);
    }
    for (const std::string& relative : FallbackFolders()) {
        std::filesystem::path folder = cache.resolveExisting(gamePath_, relative);
        if (!folder.empty()) walk.walk(folder, true, true);
    }
    return list;
}

std::vector<std::filesystem::path> SkinFolders::ListSkinFilesFiltered(std::string_view mask,
                                                                      SkippedFiles* skipped) const {
    std::vector<std::filesystem::path> list;
    for (std::filesystem::path& path : ListSkinFiles(mask, skipped)) {
        if (IsSkinFileName(ToLowerAscii(path.filename().string()))) {
            list.push_back(std::move(path));
        }
    }
    return list;
}

}  // namespace corvane
