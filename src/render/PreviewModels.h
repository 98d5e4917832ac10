#pragma once

#include "platform/Bitmap.h"
#include "render/OffscreenCamera.h"
#include "render/SknModel.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane {

// A texture of the current OpenGL context from the pixels (RGBA or RGB
// bytes, bottom row first), with every mipmap level; modulated, linear filters.
std::uint32_t UploadTexture(int width, int height, bool rgba, const std::uint8_t* pixels);

// A texture of the current context from a picture: through a JPEG round trip
// at quality 100 (palette pictures become true colour), opaque. Nothing when
// the picture cannot be turned into one; the model is then drawn untextured.
std::optional<std::uint32_t> MakeTextureFromBitmap(const Bitmap& picture);

// Draws a model's triangles with a texture of the current context, corners
// in reverse order, each vertex placed as `place` says (the preview: the
// model's scale).
void DrawSKNModel(const TSKNModel& model, std::uint32_t texture, const VertexPlacement& place);

// The models of the dressed character, each with its texture in the OpenGL
// context that was current when it was added. That context must be current
// for clear() and draw().
class PreviewModels {
public:
    PreviewModels() = default;
    PreviewModels(const PreviewModels&) = delete;
    PreviewModels& operator=(const PreviewModels&) = delete;

    void add(LoadedSknModel loaded);
    // Deletes the models from the last to the first, with their textures.
    void clear();
    void draw() const;

    const std::vector<TSKNModel>& models() const { return models_; }
    bool empty() const { return models_.empty(); }

private:
    std::vector<TSKNModel> models_;
};

}  // namespace corvane
