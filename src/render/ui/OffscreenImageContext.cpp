#include "render/ui/OffscreenImageContext.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <stdexcept>

namespace corvane {

namespace {

// The preview's kind of context: fixed-function drawing needs the compatibility profile.
QSurfaceFormat pictureFormat() {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    if (format.majorVersion() < 2 || (format.majorVersion() == 2 && format.minorVersion() < 1)) format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    return format;
}

}  // namespace

OffscreenImageContext::OffscreenImageContext()
    : previous_(QOpenGLContext::currentContext()),
      previousSurface_(previous_ != nullptr ? previous_->surface() : nullptr) {
    const QSurfaceFormat format = pictureFormat();
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(format);
    surface_->create();
    if (!surface_->isValid()) throw std::runtime_error("no off-screen surface to draw the pictures on");
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create()) throw std::runtime_error("no OpenGL context to draw the pictures in");
    if (!context_->makeCurrent(surface_.get())) {
        restorePrevious();
        throw std::runtime_error("the OpenGL context for the pictures cannot be made current");
    }
}

OffscreenImageContext::~OffscreenImageContext() {
    context_->doneCurrent();
    restorePrevious();
}

void OffscreenImageContext::restorePrevious() {
    // The preview's widget expects its own context back when it was current.
    if (previous_ != nullptr && previousSurface_ != nullptr) previous_->makeCurrent(previousSurface_);
}

GlProcLookup OffscreenImageContext::procLookup() const {
    QOpenGLContext* context = context_.get();
    return [context](const char* name) { return reinterpret_cast<void*>(context->getProcAddress(name)); };
}

}  // namespace corvane
