#include "skintools/InstalledSkinIndex.h"

#include "platform/AsciiText.h"
#include "skins/FolderListingCache.h"

namespace corvane {

namespace {

void indexEntries(const std::optional<std::vector<FarRecordDetails>>& entries, std::unordered_set<std::string>& index) {
    if (!entries) return;
    for (const FarRecordDetails& entry : *entries) {
        index.insert(ToLowerAscii(entry.EntryName));
    }
}

// The plain files of one folder; hidden ones only when `withHidden`.
void indexFolder(FolderListingCache& cache, const std::filesystem::path& gamePath, const std::string& relative,
                 bool withHidden, std::unordered_set<std::string>& index) {
    const std::filesystem::path folder = cache.resolveExisting(gamePath, relative);
    const auto listing = folder.empty() ? nullptr : cache.listing(folder);
    if (!listing) return;
    for (const FolderListing::Entry& entry : listing->entries) {
        if (!entry.isFolder && (withHidden || !entry.name.starts_with('.'))) {
            index.insert(entry.lowerName);
        }
    }
}

}  // namespace

InstalledSkinIndex::InstalledSkinIndex(const SkinFolders& folders, const SkinCatalogue& catalogue) {
    FolderListingCache& cache = SharedFolderListings();
    // FindSkinFile looks a name up in each search folder as it is, and among
    // the visible files of each fallback folder.
    for (const std::string& relative : folders.SearchFolders()) {
        indexFolder(cache, folders.gamePath(), relative, true, looseFiles_);
    }
    for (const std::string& relative : SkinFolders::FallbackFolders()) {
        indexFolder(cache, folders.gamePath(), relative, false, looseFiles_);
    }
    indexEntries(catalogue.ArchiveCharacterEntries, characterEntries_);
    indexEntries(catalogue.ArchiveTextureEntries, textureEntries_);
}

bool InstalledSkinIndex::SkinInstalled(const std::string& name, std::string_view extension) const {
    if (name.empty()) return false;
    const std::string lower = ToLowerAscii(name) + ToLowerAscii(extension);
    if (looseFiles_.count(lower) != 0) return true;
    if (ToLowerAscii(extension) == ".cmx") return characterEntries_.count(lower + ".bcf") != 0;
    return textureEntries_.count(lower) != 0;
}

}  // namespace corvane
