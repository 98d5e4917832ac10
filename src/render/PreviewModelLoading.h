#pragma once

#include "platform/Dialogs.h"
#include "render/PreviewComposition.h"
#include "render/SknModel.h"

#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// The models of a preview, and what could not be drawn.
struct PreviewModelSet {
    std::vector<LoadedSknModel> models;
    // One line per model left out, naming the mesh and why ("xskin-…-BODY:
    // <file> at offset 12: line 12: …"); one line naming the skeleton when it
    // left every model out.
    std::vector<std::string> leftOut;
};

// Loads the collected meshes on the skeleton, from the last collected to the
// first (so the head comes first and the right hand last). The skeleton is
// read once; a missing or damaged one leaves every model out. A mesh that
// cannot be loaded is left out; missing files are said through `dialogs`,
// every model left out is listed with its cause.
PreviewModelSet LoadPreviewModels(const std::vector<PreviewMesh>& meshes, const std::string& skeletonName, bool child,
                                  const SkinFolders& folders, const SkinCatalogue& catalogue,
                                  const std::filesystem::path& applicationFolder, Dialogs& dialogs);

}  // namespace corvane
