#include "skins/InstalledSkins.h"

#include "platform/CaseInsensitivePath.h"

namespace corvane {

namespace {

std::unordered_set<std::string> lowerEntryNames(const std::optional<std::vector<FarRecordDetails>>& entries) {
    std::unordered_set<std::string> names;
    if (entries) {
        for (const FarRecordDetails& entry : *entries) names.insert(ToLowerAscii(entry.EntryName));
    }
    return names;
}

}  // namespace

InstalledSkins::InstalledSkins(const SkinFolders& folders, const SkinCatalogue& catalogue)
    : folders_(folders),
      archivedMeshes_(lowerEntryNames(catalogue.ArchiveCharacterEntries)),
      archivedTextures_(lowerEntryNames(catalogue.ArchiveTextureEntries)),
      catalogueIncomplete_(!catalogue.complete() || catalogue.ArchiveReadError) {}

bool InstalledSkins::meshInstalled(const std::string& name) const {
    return installed(name, ".cmx", archivedMeshes_);
}

bool InstalledSkins::textureInstalled(const std::string& name) const {
    return installed(name, ".bmp", archivedTextures_);
}

bool InstalledSkins::installed(const std::string& name, std::string_view extension,
                               const std::unordered_set<std::string>& archived) const {
    if (name.empty()) return false;
    // An entry counts when its whole name is the skin's: a name that merely
    // ends another entry's name ("fit_01" in "b001mafit_01") is not installed.
    return archived.contains(ToLowerAscii(name) + std::string(extension)) ||
           !folders_.FindSkinFile(name, extension).empty() || catalogueIncomplete_;
}

}  // namespace corvane
