#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QInputDevice>

#include <gtest/gtest.h>

namespace corvane::test {

QApplication& QtTestApplication() {
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}

}  // namespace corvane::test

// Widget tests run inside one QApplication that lives as long as main().
// Without a display named, the tests (and CTest's listing of them) run on
// Qt's offscreen platform.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Synthetic mouse events make Qt create stand-in input devices that would
    // otherwise be destroyed after Qt's own device list, crashing at exit.
    for (const QInputDevice* device : QInputDevice::devices()) {
        delete device;
    }
    return result;
}
