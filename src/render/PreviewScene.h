#pragma once

#include "platform/Bitmap.h"
#include "render/OffscreenCamera.h"
#include "render/OffscreenFramebuffer.h"
#include "render/PreviewView.h"
#include "render/SknModel.h"

#include <cstdint>
#include <vector>

namespace corvane {

// The OpenGL state the preview draws with: the background `previewColor`
// (0x00BBGGRR), smooth shading, depth test, textures on, no lighting.
void SetPreviewGlState(std::uint32_t previewColor);

// A 45° perspective over the whole viewport of width × height, near 1, far 500.
void SetPreviewProjection(int width, int height);

// The view's camera: panned, pulled back, turned about y then z, and the
// model's handedness flipped (z scaled by −10).
void PlacePreviewCamera(const PreviewView& view);

// A model to draw off-screen, with the picture its texture is made from.
struct ModelWithTexture {
    const TSKNModel* model;
    const Bitmap* texture;
};

// The character as the preview shows it in `view`, drawn into a picture of
// width × height in the current context.
Bitmap RenderPreviewPicture(const std::vector<ModelWithTexture>& models, int width, int height,
                            std::uint32_t previewColor, const PreviewView& view, const GlProcLookup& lookup);

// One of the pictures the game keeps of a character, drawn in the current
// context with its own camera and background. Each model's texture is made
// anew in this context and deleted after the model. Throws
// std::runtime_error with no models, or "Paint:" and OpenGL's error.
Bitmap RenderOffscreen(const std::vector<ModelWithTexture>& models, int width, int height, ImageKind kind,
                       const GlProcLookup& lookup);

}  // namespace corvane
