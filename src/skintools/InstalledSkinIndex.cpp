#include "skintools/InstalledSkinIndex.h"

#include "platform/AsciiText.h"
#include "platform/ShellFileOps.h"
#include "skins/FolderListingCache.h"

namespace corvane {

namespace {

void indexEntries(const std::optional<std::vector<FarRecordDetails>>& entries, std::unordered_set<std::string>& index) {
    if (!entries) return;
    for (const FarRecordDetails& entry : *entries) {
        index.insert(ToLowerAscii(entry.EntryName));
    }
}

bool namesSkinFile(const std::string& lowerName) {
    return lowerName.ends_with(".cmx") || lowerName.ends_with(".bmp");
}

}  // namespace

// The plain files of one folder; hidden ones only when `withHidden`. A
// folder links lead to again (a search folder linked into another) is read
// once, so none of its files is named twice.
void InstalledSkinIndex::indexFolder(const SkinFolders& folders, const std::string& relative, bool withHidden) {
    FolderListingCache& cache = SharedFolderListings();
    const std::filesystem::path folder = cache.resolveExisting(folders.gamePath(), relative);
    const std::optional<FileIdentity> identity = folder.empty() ? std::nullopt : IdentityOf(folder);
    if (!identity || !indexedFolders_.insert(*identity).second) return;
    const auto listing = cache.listing(folder);
    if (!listing) return;
    for (const FolderListing::Entry& entry : listing->entries) {
        if (entry.isFolder || (!withHidden && entry.name.starts_with('.'))) continue;
        if (!entry.special) {
            looseFiles_.insert(entry.lowerName);
        } else if (namesSkinFile(entry.lowerName)) {
            skipped_.push_back({folder / entry.name, *entry.special});
        }
    }
}

InstalledSkinIndex::InstalledSkinIndex(const SkinFolders& folders, const SkinCatalogue& catalogue) {
    // FindSkinFile looks a name up in each search folder as it is, and among
    // the visible files of each fallback folder.
    for (const std::string& relative : folders.SearchFolders()) {
        indexFolder(folders, relative, true);
    }
    for (const std::string& relative : SkinFolders::FallbackFolders()) {
        indexFolder(folders, relative, false);
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
