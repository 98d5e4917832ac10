#include "render/PreviewModels.h"

#include "render/JpegCodec.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <exception>

namespace corvane {

std::uint32_t UploadTexture(int width, int height, bool rgba, const std::uint8_t* pixels) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, rgba ? GL_RGBA : 3, static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(height), rgba ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, pixels);
    return name;
}

std::optional<std::uint32_t> MakeTextureFromBitmap(const Bitmap& picture) {
    try {
        const Bitmap trueColour = JpegRoundTrip24(picture);
        std::vector<std::uint8_t> pixels;
        pixels.reserve(static_cast<std::size_t>(trueColour.width) * static_cast<std::size_t>(trueColour.height) * 4);
        for (int row = 0; row < trueColour.height; ++row) {
            const int y = trueColour.height - 1 - row;  // OpenGL's rows run bottom up
            for (int x = 0; x < trueColour.width; ++x) {
                const Rgb& c = trueColour.at(x, y);
                pixels.insert(pixels.end(), {c.r, c.g, c.b, 255});
            }
        }
        return UploadTexture(trueColour.width, trueColour.height, true, pixels.data());
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void DrawSKNModel(const TSKNModel& model, std::uint32_t texture, const VertexPlacement& place) {
    const float f = place.factor;
    for (const TFace& face : model.faces) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glBegin(GL_TRIANGLES);
        for (const std::int32_t corner : FaceCornersInDrawOrder(face)) {
            const auto i = static_cast<std::size_t>(corner);
            const TTextureCoordinate& uv = model.textureCoordinates[i];
            const TVector3& n = model.normals[i];
            const TVector3& p = model.positions[i];
            glTexCoord2f(uv.u, uv.v);
            glNormal3f(n.x * f, n.y * f, n.z * f);
            glVertex3f((p.x - place.aside) * f, p.y * f, p.z * f);
        }
        glEnd();
    }
}

void PreviewModels::add(LoadedSknModel loaded) {
    loaded.model.texture = MakeTextureFromBitmap(loaded.texture).value_or(0);
    models_.push_back(std::move(loaded.model));
}

void PreviewModels::clear() {
    while (!models_.empty()) {
        const GLuint texture = models_.back().texture;
        if (texture != 0) glDeleteTextures(1, &texture);
        models_.pop_back();
    }
}

void PreviewModels::draw() const {
    for (const TSKNModel& model : models_) DrawSKNModel(model, model.texture, {0.0f, DrawScale(model.kind)});
}

}  // namespace corvane
