#include "skins/SkinCatalogueBuilder.h"

#include "platform/LanguageModule.h"
#include "skins/FarArchive.h"
#include "skins/FolderListingCache.h"

#include <stdexcept>

namespace corvane {

namespace {

// An archive is read when it is there and at least a kilobyte long.
std::vector<std::filesystem::path> qualifyingArchives(const SkinFolders& folders) {
    std::vector<std::filesystem::path> archives;
    for (const std::string& relative : SkinArchives()) {
        auto path = SharedFolderListings().resolveExisting(folders.gamePath(), relative);
        if (!path.empty() && FileSizeKB(path) >= 1) {
            archives.push_back(path);
        }
    }
    return archives;
}

template <typename List>
void startEmpty(std::optional<List>& list) {
    list.emplace();
}

// Reads every qualifying archive with `pass`, showing `statusId` and the
// archive's name; false when one could not be read (the rest are not read),
// with the archive and the cause in `cause`.
bool readArchives(const SkinFolders& folders, CataloguePass pass, const PassLists& lists, int statusId,
                  Progress& progress, std::string& cause) {
    const auto archives = qualifyingArchives(folders);
    progress.setMaximum(static_cast<int>(archives.size()));
    int position = 0;
    for (const auto& archive : archives) {
        progress.showStatus(LangStr(statusId) + " " + archive.filename().string() + " ...");
        try {
            ReadArchiveDirectory(archive, pass, lists);
        } catch (const std::exception& error) {
            // The readers' messages name the archive; the others get its path in front.
            const std::string what = error.what();
            cause = what.find(archive.string()) == std::string::npos ? archive.string() + ": " + what : what;
            return false;
        }
        progress.setPosition(++position);
    }
    return true;
}

}  // namespace

std::vector<std::string> SkinArchives() {
    std::vector<std::string> archives{"GameData\\Animation\\Animation.far", "GameData\\Textures\\Textures.far",
                                      "ExpansionPack\\ExpansionPack.far", "ExpansionShared\\ExpansionShared.far",
                                      "Deluxe\\Deluxe.far"};
    for (int pack = 2; pack <= 7; ++pack) {
        const std::string name = "ExpansionPack" + std::to_string(pack);
        archives.push_back(name + "\\" + name + ".far");
    }
    return archives;
}

void BuildMeshCatalogue(SkinCatalogue& catalogue, const SkinFolders& folders, Progress& progress) {
    if (catalogue.ArchiveMeshEntries && catalogue.SknFileList) {
        return;
    }
    catalogue.ArchiveReadError = false;
    catalogue.ArchiveReadCause.clear();
    startEmpty(catalogue.ArchiveMeshEntries);
    startEmpty(catalogue.SknFileList);
    PassLists lists;
    lists.meshes = &*catalogue.ArchiveMeshEntries;
    if (!readArchives(folders, CataloguePass::Mesh, lists, 6151, progress, catalogue.ArchiveReadCause)) {
        catalogue.ArchiveReadError = true;
        return;
    }
    *catalogue.SknFileList = folders.ListSkinFilesFiltered("*.skn");
}

void BuildCharacterCatalogue(SkinCatalogue& catalogue, const SkinFolders& folders, Progress& progress) {
    if (catalogue.ArchiveCharacterEntries && catalogue.ArchiveTextureEntries) {
        return;
    }
    startEmpty(catalogue.ArchiveCharacterEntries);
    startEmpty(catalogue.ArchiveTextureEntries);
    PassLists lists;
    lists.characters = &*catalogue.ArchiveCharacterEntries;
    lists.textures = &*catalogue.ArchiveTextureEntries;
    std::string cause;  // this pass ends quietly
    readArchives(folders, CataloguePass::Character, lists, 6152, progress, cause);
}

void LoadSkinData(SkinCatalogue& catalogue, const SkinFolders& folders, Progress& progress) {
    if (catalogue.complete()) {
        return;
    }
    progress.showWarning(LangStr(7095));
    BuildMeshCatalogue(catalogue, folders, progress);
    progress.showWarning(LangStr(7096));
    BuildCharacterCatalogue(catalogue, folders, progress);
}

}  // namespace corvane
