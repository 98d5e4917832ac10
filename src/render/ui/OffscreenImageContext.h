#pragma once

#include "render/OffscreenFramebuffer.h"

#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QSurface;

namespace corvane {

// An OpenGL context of its own for drawing pictures off-screen inside the
// editor: unshared with the preview's, so every texture is uploaded again
// here, and drawn into an OffscreenFramebuffer. Current while it lives.
// Throws std::runtime_error saying why when none can be made.
class OffscreenImageContext {
public:
    OffscreenImageContext();
    // Done-current, and whatever context was current before is current again.
    ~OffscreenImageContext();
    OffscreenImageContext(const OffscreenImageContext&) = delete;
    OffscreenImageContext& operator=(const OffscreenImageContext&) = delete;

    GlProcLookup procLookup() const;

private:
    void restorePrevious();

    QOpenGLContext* previous_;
    QSurface* previousSurface_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
};

}  // namespace corvane
