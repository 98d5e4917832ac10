#pragma once

namespace corvane {

// The preview draws with fixed-function OpenGL: asks for a 2.1 compatibility
// context with a 24-bit depth buffer. Must run before the QApplication exists.
void RequestPreviewSurfaceFormat();

}  // namespace corvane
