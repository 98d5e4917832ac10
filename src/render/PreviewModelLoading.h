#pragma once

#include "platform/Dialogs.h"
#include "render/PreviewComposition.h"
#include "render/SknModel.h"

#include <filesystem>
#include <vector>

namespace corvane {

// Loads the collected meshes on the skeleton, from the last collected to the
// first (so the head comes first and the right hand last). A mesh that cannot
// be loaded is left out; missing files say so, damaged ones quietly.
std::vector<LoadedSknModel> LoadPreviewModels(const std::vector<PreviewMesh>& meshes, const std::string& skeletonName,
                                              bool child, const SkinFolders& folders, const SkinCatalogue& catalogue,
                                              const std::filesystem::path& applicationFolder, Dialogs& dialogs);

}  // namespace corvane
