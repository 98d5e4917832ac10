#include "render/SurfacelessGlContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <stdexcept>

namespace corvane {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("no OpenGL without a display: " + what + " (EGL error 0x" +
                             [] {
                                 char code[16];
                                 std::snprintf(code, sizeof code, "%04X", static_cast<unsigned>(eglGetError()));
                                 return std::string(code);
                             }() + ")");
}

}  // namespace

SurfacelessGlContext::SurfacelessGlContext() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay == nullptr) fail("eglGetPlatformDisplayEXT is missing");
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) fail("Mesa's surfaceless platform is missing");
    if (eglInitialize(display, nullptr, nullptr) != EGL_TRUE) fail("eglInitialize failed");
    display_ = display;
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) fail("desktop OpenGL is not offered");
    // The preview draws with the fixed-function pipeline: a compatibility context.
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) fail("eglCreateContext failed");
    context_ = context;
    makeCurrent();
}

SurfacelessGlContext::~SurfacelessGlContext() {
    if (display_ != nullptr) {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_ != nullptr) eglDestroyContext(display_, context_);
        eglTerminate(display_);
    }
}

void SurfacelessGlContext::makeCurrent() {
    if (eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, context_) != EGL_TRUE) fail("eglMakeCurrent failed");
}

GlProcLookup SurfacelessGlContext::procLookup() const {
    return [](const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); };
}

}  // namespace corvane
