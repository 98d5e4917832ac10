#include "render/PreviewModelLoading.h"

#include <exception>

namespace corvane {

std::vector<LoadedSknModel> LoadPreviewModels(const std::vector<PreviewMesh>& meshes, const std::string& skeletonName,
                                              bool child, const SkinFolders& folders, const SkinCatalogue& catalogue,
                                              const std::filesystem::path& applicationFolder, Dialogs& dialogs) {
    std::vector<LoadedSknModel> loaded;
    for (auto mesh = meshes.rbegin(); mesh != meshes.rend(); ++mesh) {
        try {
            auto skeleton = LoadSkeleton(folders, catalogue, skeletonName, dialogs);
            if (!skeleton) continue;
            TSKNModel model;
            model.meshPath = mesh->meshPath;
            model.texturePath = mesh->texturePath;
            model.skeletonName = skeletonName;
            model.posePath = applicationFolder / "Poses" / "default.psl";
            model.poseLibrary = {"nil", child, {}};
            model.kind = skeleton->kind;
            model.bones = std::move(skeleton->bones);
            if (auto one = LoadSknModel(std::move(model), catalogue, dialogs)) loaded.push_back(std::move(*one));
        } catch (const std::exception&) {
            // A damaged mesh, texture or skeleton only leaves its model out.
        }
    }
    return loaded;
}

}  // namespace corvane
