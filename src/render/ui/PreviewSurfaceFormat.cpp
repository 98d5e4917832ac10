#include "render/ui/PreviewSurfaceFormat.h"

#include <QSurfaceFormat>

namespace corvane {

void RequestPreviewSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
}

}  // namespace corvane
