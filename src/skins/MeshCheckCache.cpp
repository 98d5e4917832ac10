#include "skins/MeshCheckCache.h"

#include "platform/TextLines.h"

#include <functional>
#include <stdexcept>

namespace corvane {

namespace {

void mix(std::uint64_t& hash, std::uint64_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
}

// Tells one state of the catalogue's mesh lists from another: a rebuild after
// a discard fills new lists, possibly at the addresses of the old ones, so
// only their contents can tell.
std::uint64_t meshListsFingerprint(const SkinCatalogue& catalogue) {
    std::uint64_t hash = 0;
    const std::hash<std::string> text;
    mix(hash, catalogue.SknFileList ? catalogue.SknFileList->size() + 1 : 0);
    if (catalogue.SknFileList) {
        for (const auto& file : *catalogue.SknFileList) mix(hash, text(file.native()));
    }
    mix(hash, catalogue.ArchiveMeshEntries ? catalogue.ArchiveMeshEntries->size() + 1 : 0);
    if (catalogue.ArchiveMeshEntries) {
        for (const auto& entry : *catalogue.ArchiveMeshEntries) mix(hash, text(entry.EntryName));
    }
    return hash;
}

}  // namespace

const KnownMeshes& MeshCheckCache::useCatalogue(const SkinCatalogue& catalogue) {
    const std::uint64_t fingerprint = meshListsFingerprint(catalogue);
    if (!meshes_ || fingerprint != catalogueFingerprint_) {
        meshes_ = std::make_unique<KnownMeshes>(catalogue);
        catalogueFingerprint_ = fingerprint;
        files_.clear();
    }
    return *meshes_;
}

bool MeshCheckCache::checkForListing(const std::filesystem::path& path, Dialogs* dialogs) {
    if (!meshes_) throw std::logic_error("a character file checked before the catalogue was given");
    const KnownMeshes& meshes = *meshes_;
    const std::optional<FileStamp> stamp = StampOf(path);
    if (!stamp) {
        // Gone or unreadable since it was listed: the check says why.
        files_.erase(path.native());
        return CheckCharacterFile(path, CheckMode::Listing, meshes, dialogs, nullptr);
    }
    auto known = files_.find(path.native());
    if (known == files_.end() || known->second.stamp != *stamp) {
        Checked checked{*stamp, AnalyseCharacterFile(ReadTextFileLines(path), path.stem().string(), meshes)};
        known = files_.insert_or_assign(path.native(), std::move(checked)).first;
    }
    return ReportCharacterFileFindings(known->second.findings, path, CheckMode::Listing, dialogs, nullptr);
}

void MeshCheckCache::clear() {
    meshes_.reset();
    catalogueFingerprint_ = 0;
    files_.clear();
}

MeshCheckCache& SharedMeshChecks() {
    static MeshCheckCache cache;
    return cache;
}

}  // namespace corvane
