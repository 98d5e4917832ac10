#pragma once

#include "platform/Bitmap.h"

#include <functional>

namespace corvane {

// Finds an OpenGL function of the current context by name.
using GlProcLookup = std::function<void*(const char*)>;

// A colour and depth target of W × H pixels in the current OpenGL context,
// so pictures can be drawn without a window. Binds itself while it lives.
class OffscreenFramebuffer {
public:
    OffscreenFramebuffer(int width, int height, const GlProcLookup& lookup);
    ~OffscreenFramebuffer();
    OffscreenFramebuffer(const OffscreenFramebuffer&) = delete;
    OffscreenFramebuffer& operator=(const OffscreenFramebuffer&) = delete;

    // What was drawn, top row first.
    Bitmap read() const;

    struct Functions;

private:
    void release();

    const Functions& functions_;
    int width_;
    int height_;
    unsigned framebuffer_ = 0;
    unsigned colour_ = 0;
    unsigned depth_ = 0;
};

}  // namespace corvane
