#pragma once

// Looking into the models the preview loads for the demo's figures.

#include "demo/BlockMesh.h"
#include "render/SknModel.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::test {

// The colour in the middle of one area of a figure's texture.
inline Rgb colourOf(const Bitmap& texture, const TextureArea& area) {
    return texture.at((area.left + area.right) / 2, (area.top + area.bottom) / 2);
}

// The model bound to `bone`: the body on PELVIS, the head on HEAD, a hand on its hand's bone.
inline const LoadedSknModel& modelOn(const std::vector<LoadedSknModel>& models, std::string_view bone) {
    const auto found = std::find_if(models.begin(), models.end(), [&](const LoadedSknModel& m) {
        return std::any_of(m.model.bindings.begin(), m.model.bindings.end(),
                           [&](const TGroupData& b) { return b.boneName == bone; });
    });
    if (found == models.end()) throw std::runtime_error("no model on " + std::string(bone));
    return *found;
}

}  // namespace corvane::test
