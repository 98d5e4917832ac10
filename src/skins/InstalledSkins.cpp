#include "skins/InstalledSkins.h"

#include "platform/AsciiText.h"

namespace corvane {

namespace {

// Character files are archived as "name.cmx.bcf": an entry stands for the
// name it begins with, so both spellings are indexed.
std::unordered_set<std::string> lowerEntryNames(const std::optional<std::vector<FarRecordDetails>>& entries) {
    std::unordered_set<std::string> names;
    if (entries) {
        for (const FarRecordDetails& entry : *entries) {
            std::string name = ToLowerAscii(entry.EntryName);
            if (name.ends_with(".bcf")) names.insert(name.substr(0, name.size() - 4));
            names.insert(std::move(name));
        }
    }
    return names;
}

}  // namespace

InstalledSkins::InstalledSkins(const SkinFolders& folders, const SkinCatalogue& catalogue)
    : folders_(folders),
      archivedMeshes_(lowerEntryNames(catalogue.ArchiveCharacterEntries)),
      archivedTextures_(lowerEntryNames(catalogue.ArchiveTextureEntries)),
      catalogueIncomplete_(!catalogue.complete() || catalogue.ArchiveReadError) {}

InstalledSkins::InstalledSkins(const SkinFolders& folders, const SkinCatalogue& catalogue,
                               const std::vector<std::string>& comingFiles)
    : InstalledSkins(folders, catalogue) {
    for (const std::string& name : comingFiles) comingFiles_.insert(ToLowerAscii(name));
}

bool InstalledSkins::meshInstalled(const std::string& name) const {
    return installed(name, ".cmx", archivedMeshes_);
}

bool InstalledSkins::textureInstalled(const std::string& name) const {
    return installed(name, ".bmp", archivedTextures_);
}

bool InstalledSkins::textureIsLoose(const std::string& name) const {
    return !name.empty() && !folders_.FindSkinFile(name, ".bmp").empty();
}

bool InstalledSkins::installed(const std::string& name, std::string_view extension,
                               const std::unordered_set<std::string>& archived) const {
    if (name.empty()) return false;
    // An entry counts when its name begins with the skin's file name: a name
    // that merely ends another entry's name ("fit_01" in "b001mafit_01") is
    // not installed.
    const std::string file = ToLowerAscii(name) + std::string(extension);
    return archived.contains(file) || comingFiles_.contains(file) ||
           !folders_.FindSkinFile(name, extension).empty() || catalogueIncomplete_;
}

}  // namespace corvane
