#include "render/OffscreenFramebuffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <memory>
#include <stdexcept>
#include <vector>

namespace corvane {

struct OffscreenFramebuffer::Functions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    template <typename F>
    static void load(F& function, const GlProcLookup& lookup, const char* name) {
        function = reinterpret_cast<F>(lookup(name));
        if (function == nullptr) throw std::runtime_error(std::string("OpenGL lacks ") + name);
    }
};

namespace {

// Loaded once: Mesa gives every context of the process the same entry points.
const OffscreenFramebuffer::Functions& loadFunctions(const GlProcLookup& lookup) {
    static std::unique_ptr<OffscreenFramebuffer::Functions> functions;
    if (!functions) {
        auto loaded = std::make_unique<OffscreenFramebuffer::Functions>();
        using F = OffscreenFramebuffer::Functions;
        F::load(loaded->genFramebuffers, lookup, "glGenFramebuffers");
        F::load(loaded->bindFramebuffer, lookup, "glBindFramebuffer");
        F::load(loaded->deleteFramebuffers, lookup, "glDeleteFramebuffers");
        F::load(loaded->genRenderbuffers, lookup, "glGenRenderbuffers");
        F::load(loaded->bindRenderbuffer, lookup, "glBindRenderbuffer");
        F::load(loaded->deleteRenderbuffers, lookup, "glDeleteRenderbuffers");
        F::load(loaded->renderbufferStorage, lookup, "glRenderbufferStorage");
        F::load(loaded->framebufferRenderbuffer, lookup, "glFramebufferRenderbuffer");
        F::load(loaded->checkFramebufferStatus, lookup, "glCheckFramebufferStatus");
        functions = std::move(loaded);
    }
    return *functions;
}

}  // namespace

OffscreenFramebuffer::OffscreenFramebuffer(int width, int height, const GlProcLookup& lookup)
    : functions_(loadFunctions(lookup)), width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("an off-screen picture needs a size");
    const Functions& f = functions_;
    f.genFramebuffers(1, &framebuffer_);
    f.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    f.genRenderbuffers(1, &colour_);
    f.bindRenderbuffer(GL_RENDERBUFFER, colour_);
    f.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour_);
    f.genRenderbuffers(1, &depth_);
    f.bindRenderbuffer(GL_RENDERBUFFER, depth_);
    f.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    f.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    if (f.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        release();
        throw std::runtime_error("the off-screen picture cannot be drawn into (framebuffer incomplete)");
    }
}

OffscreenFramebuffer::~OffscreenFramebuffer() {
    release();
}

void OffscreenFramebuffer::release() {
    const Functions& f = functions_;
    f.bindFramebuffer(GL_FRAMEBUFFER, 0);
    if (depth_ != 0) f.deleteRenderbuffers(1, &depth_);
    if (colour_ != 0) f.deleteRenderbuffers(1, &colour_);
    if (framebuffer_ != 0) f.deleteFramebuffers(1, &framebuffer_);
    depth_ = colour_ = framebuffer_ = 0;
}

Bitmap OffscreenFramebuffer::read() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    Bitmap picture(width_, height_, {0, 0, 0});
    for (int y = 0; y < height_; ++y) {
        // OpenGL's rows run bottom up.
        const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(height_ - 1 - y) * static_cast<std::size_t>(width_) * 3;
        for (int x = 0; x < width_; ++x) {
            picture.set(x, y, {row[3 * x], row[3 * x + 1], row[3 * x + 2]});
        }
    }
    return picture;
}

}  // namespace corvane
