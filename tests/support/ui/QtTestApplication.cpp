#include "support/ui/QtTestApplication.h"

#include "render/ui/PreviewSurfaceFormat.h"

#include <QApplication>
#include <QInputDevice>

#include <gtest/gtest.h>

namespace corvane::test {

QApplication& QtTestApplication() {
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace corvane::test

// Widget tests run inside one QApplication that lives as long as main().
// With a display (xvfb-run in CI) they run on X, where the 3D preview gets
// its OpenGL context; without one (CTest's listing of them) on Qt's
// offscreen platform, which has no OpenGL.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    }
    corvane::RequestPreviewSurfaceFormat();
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // On the offscreen platform, synthetic mouse events make Qt create
    // stand-in input devices that would otherwise be destroyed after Qt's own
    // device list, crashing at exit. X owns its devices.
    if (QGuiApplication::platformName() == "offscreen") {
        for (const QInputDevice* device : QInputDevice::devices()) {
            delete device;
        }
    }
    return result;
}
