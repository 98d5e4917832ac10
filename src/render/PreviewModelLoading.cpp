#include "render/PreviewModelLoading.h"

#include <exception>
#include <optional>

namespace corvane {

namespace {

std::string meshName(const PreviewMesh& mesh) {
    return std::filesystem::path(mesh.meshPath).stem().string();
}

}  // namespace

PreviewModelSet LoadPreviewModels(const std::vector<PreviewMesh>& meshes, const std::string& skeletonName, bool child,
                                  const SkinFolders& folders, const SkinCatalogue& catalogue,
                                  const std::filesystem::path& applicationFolder, Dialogs& dialogs) {
    PreviewModelSet set;
    if (meshes.empty()) return set;
    std::optional<ParsedSkeleton> skeleton;
    try {
        skeleton = LoadSkeleton(folders, catalogue, skeletonName, dialogs);
        if (!skeleton) set.leftOut.push_back("skeleton " + skeletonName + ": not found; no model can be posed");
    } catch (const std::exception& error) {
        set.leftOut.push_back("skeleton " + skeletonName + " is damaged (" + error.what() +
                              "); no model can be posed");
    }
    if (!skeleton) return set;

    for (auto mesh = meshes.rbegin(); mesh != meshes.rend(); ++mesh) {
        try {
            TSKNModel model;
            model.meshPath = mesh->meshPath;
            model.texturePath = mesh->texturePath;
            model.skeletonName = skeletonName;
            model.posePath = applicationFolder / "Poses" / "default.psl";
            model.poseLibrary = {"nil", child, {}};
            model.kind = skeleton->kind;
            model.bones = skeleton->bones;
            if (auto one = LoadSknModel(std::move(model), catalogue, dialogs)) {
                set.models.push_back(std::move(*one));
            } else {
                set.leftOut.push_back(meshName(*mesh) + ": its mesh or texture is not installed");
            }
        } catch (const std::exception& error) {
            // A damaged mesh or texture only leaves its model out.
            set.leftOut.push_back(meshName(*mesh) + ": " + error.what());
        }
    }
    return set;
}

}  // namespace corvane
