#include "support/ui/QtTestApplication.h"

#include "render/ui/PreviewSurfaceFormat.h"

#include <QApplication>
#include <QInputDevice>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace {

// Under a loaded xvfb-run, a test that starts while the X server is busy
// accepting others can be refused once; wait until the server takes a
// connection before Qt tries its only one.
void waitForXServer() {
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    if (colon < 0) return;
    const QByteArray number = display.mid(colon + 1).split('.').front();
    const std::string socketPath = "/tmp/.X11-unix/X" + number.toStdString();
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
        const bool connected = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (fd >= 0) ::close(fd);
        if (connected) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}  // namespace

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
    if (qgetenv("QT_QPA_PLATFORM") == "xcb") {
        waitForXServer();
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
