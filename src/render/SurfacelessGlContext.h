#pragma once

#include "render/OffscreenFramebuffer.h"

#include <string>

namespace corvane {

// An OpenGL context that needs neither a window nor a display: Mesa's
// surfaceless EGL platform, for the command-line tool. Pictures are drawn
// into an OffscreenFramebuffer. Throws std::runtime_error saying why when
// no context can be made.
class SurfacelessGlContext {
public:
    SurfacelessGlContext();
    ~SurfacelessGlContext();
    SurfacelessGlContext(const SurfacelessGlContext&) = delete;
    SurfacelessGlContext& operator=(const SurfacelessGlContext&) = delete;

    void makeCurrent();
    GlProcLookup procLookup() const;

private:
    void* display_ = nullptr;
    void* context_ = nullptr;
};

}  // namespace corvane
