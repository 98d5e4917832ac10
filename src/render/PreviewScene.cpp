#include "render/PreviewScene.h"

#include "render/PreviewModels.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <stdexcept>
#include <string>

namespace corvane {

namespace {

constexpr float kViewScale = 10.0f;

void setCommonState(const RgbF& background, GLenum perspectiveHint) {
    glClearColor(background.r, background.g, background.b, 1.0f);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, perspectiveHint);
    glEnable(GL_TEXTURE_2D);
}

void drawWithFreshTexture(const ModelWithTexture& entry, const VertexPlacement& place) {
    const auto texture = MakeTextureFromBitmap(*entry.texture);
    if (!texture) throw std::runtime_error("the texture of " + entry.model->texturePath.string() + " cannot be used");
    DrawSKNModel(*entry.model, *texture, place);
    const GLuint name = *texture;
    glDeleteTextures(1, &name);
}

void raiseOpenGlError() {
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        throw std::runtime_error(std::string("Paint:") + reinterpret_cast<const char*>(gluErrorString(error)));
    }
}

}  // namespace

void SetPreviewGlState(std::uint32_t previewColor) {
    setCommonState({static_cast<float>(previewColor & 0xFF) / 256.0f, static_cast<float>((previewColor >> 8) & 0xFF) / 256.0f,
                    static_cast<float>((previewColor >> 16) & 0xFF) / 256.0f},
                   GL_FASTEST);
}

void SetPreviewProjection(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / std::max(height, 1), 1.0, 500.0);
    glMatrixMode(GL_MODELVIEW);
}

void PlacePreviewCamera(const PreviewView& view) {
    glLoadIdentity();
    glTranslatef(view.ViewPanX, view.ViewPanY, view.ViewDistance);
    glRotatef(view.ViewAngleY, 0.0f, 1.0f, 0.0f);
    glRotatef(view.ViewAngleZ, 0.0f, 0.0f, 1.0f);
    glScalef(kViewScale, kViewScale, -kViewScale);
}

Bitmap RenderPreviewPicture(const std::vector<ModelWithTexture>& models, int width, int height,
                            std::uint32_t previewColor, const PreviewView& view, const GlProcLookup& lookup) {
    OffscreenFramebuffer target(width, height, lookup);
    SetPreviewGlState(previewColor);
    SetPreviewProjection(width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PlacePreviewCamera(view);
    for (const ModelWithTexture& entry : models) {
        drawWithFreshTexture(entry, {0.0f, DrawScale(entry.model->kind)});
    }
    glFinish();
    raiseOpenGlError();
    return target.read();
}

Bitmap RenderOffscreen(const std::vector<ModelWithTexture>& models, int width, int height, ImageKind kind,
                       const GlProcLookup& lookup) {
    if (models.empty()) throw std::runtime_error("there is no character to draw");
    const int skeleton = models.front().model->kind;
    const OffscreenCamera camera = OffscreenCameraFor(kind, skeleton);
    OffscreenFramebuffer target(width, height, lookup);
    setCommonState(OffscreenClearColour(kind), GL_NICEST);
    SetPreviewProjection(width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(camera.tx, camera.ty, camera.tz);
    glRotatef(camera.angleY, 0.0f, 1.0f, 0.0f);
    glRotatef(camera.angleZ, 0.0f, 0.0f, 1.0f);
    glScalef(camera.s1, camera.s2, -camera.s1);
    for (const ModelWithTexture& entry : models) {
        drawWithFreshTexture(entry, OffscreenPlacement(kind, entry.model->kind));
    }
    glFinish();
    raiseOpenGlError();
    return target.read();
}

}  // namespace corvane
