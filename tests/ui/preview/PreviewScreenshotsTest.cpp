// Pictures of the editor showing the demo characters in 3D, written only when
// asked for (CORVANE_SCREENSHOT_OUT names a folder), for the documentation.
#include "support/ui/DemoEditorTest.h"

#include "render/ui/Tf3DUIGL.h"

#include <QApplication>
#include <QDir>

namespace corvane {
namespace {

class PreviewScreenshots : public test::DemoEditorTest {};

TEST_F(PreviewScreenshots, WritesTheDemoCharactersInThePreviewWhenAsked) {
    const QString out = qEnvironmentVariable("CORVANE_SCREENSHOT_OUT");
    if (out.isEmpty()) {
        GTEST_SKIP() << "CORVANE_SCREENSHOT_OUT not set";
    }
    ASSERT_TRUE(QDir().mkpath(out));
    for (const char* file : {"User00001", "User00002", "User00003", "User00004", "User00006", "User00007"}) {
        open(file, "btnSkillsPersonality");
        QApplication::processEvents();
        ASSERT_TRUE(window->f3DUIGL->isVisible()) << file;
        ASSERT_TRUE(window->grab().save(QDir(out).filePath(QString("preview-%1.png").arg(file)))) << file;
    }
}

}  // namespace
}  // namespace corvane
