// The 3D preview window with a real OpenGL context (xvfb in CI). Fails,
// never skips, when no context can be made.
#include "render/ui/Tf3DUIGL.h"

#include "platform/LanguageModule.h"
#include "render/PreviewModels.h"
#include "support/ScriptedDialogs.h"
#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QMouseEvent>

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <memory>

namespace corvane {
namespace {

class PreviewWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::QtTestApplication();
        SetLanguageModule(LanguageModule::parse("5022\tCorvane 3D\n5062\tWireframe\n", "t.lng"));
        panel = std::make_unique<QWidget>();
        panel->resize(200, 194);
    }
    void TearDown() override {
        preview = nullptr;
        panel.reset();
        SetLanguageModule(LanguageModule());
    }
    Tf3DUIGL& make(const CommandLineSwitches& switches = {}) {
        EXPECT_TRUE(Tf3DUIGL::OpenGlAvailable()) << "the preview needs OpenGL on this display";
        preview = new Tf3DUIGL(panel.get(), 0x804000, switches, dialogs);
        panel->show();
        preview->show();
        QApplication::processEvents();
        return *preview;
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(at), preview->mapToGlobal(QPointF(at)), button, held, keys);
        QApplication::sendEvent(preview, &event);
    }

    std::unique_ptr<QWidget> panel;
    Tf3DUIGL* preview = nullptr;
    test::ScriptedDialogs dialogs;
};

TEST_F(PreviewWindowTest, DrawsTheSceneInItsBackgroundColour) {
    Tf3DUIGL& window = make();
    ASSERT_FALSE(window.failed());
    bool drawn = false;
    window.setScene([&] {
        drawn = true;
        glColor3f(1, 1, 1);
        glDisable(GL_TEXTURE_2D);
        glBegin(GL_TRIANGLES);  // a large triangle through the view's centre
        glVertex3f(-3, -3, 0);
        glVertex3f(3, -3, 0);
        glVertex3f(0, 3, 3);
        glEnd();
    });
    const QImage picture = window.grabFramebuffer();
    EXPECT_TRUE(drawn);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(QColor(picture.pixel(1, picture.height() - 2)), QColor(0, 0x40, 0x80)) << "the preview colour 0x804000";
    EXPECT_EQ(window.ckWireFrame->text().toStdString(), "Wireframe");
}

TEST_F(PreviewWindowTest, TheMouseTurnsPansAndZooms) {
    Tf3DUIGL& window = make();
    mouse(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {110, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FLOAT_EQ(window.view().ViewAngleY, -220.0f);
    mouse(QEvent::MouseMove, {150, 30}, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(window.view().ViewPanX, 10.0f);
    EXPECT_FLOAT_EQ(window.view().ViewPanY, -2.0f);
    mouse(QEvent::MouseButtonRelease, {150, 30}, Qt::LeftButton, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {0, 0}, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseMove, {0, 5000}, Qt::NoButton, Qt::RightButton);
    EXPECT_FLOAT_EQ(window.view().ViewDistance, -490.0f);
}

TEST_F(PreviewWindowTest, TheWireFrameBoxCyclesTexturedUntexturedWireFrame) {
    Tf3DUIGL& window = make();
    EXPECT_EQ(window.ckWireFrame->checkState(), Qt::Unchecked);
    window.ckWireFrame->click();
    EXPECT_EQ(window.ckWireFrame->checkState(), Qt::Checked);
    window.ckWireFrame->click();
    EXPECT_EQ(window.ckWireFrame->checkState(), Qt::PartiallyChecked);
    window.ckWireFrame->click();
    EXPECT_EQ(window.ckWireFrame->checkState(), Qt::Unchecked);
}

TEST_F(PreviewWindowTest, SwitchesChooseTheFormatAndTheDriverCheckSpeaksOncePerSwitch) {
    CommandLineSwitches switches;
    switches.colorBits = "16";
    switches.depthBits = "16";
    switches.openGlChecks = 2;
    dialogs.answer(mrOk).answer(mrOk);
    Tf3DUIGL& window = make(switches);
    EXPECT_EQ(window.ColorBits, 16);
    EXPECT_EQ(window.DepthBits, 16);
    const QSurfaceFormat asked = Tf3DUIGL::FormatFor(window.ColorBits, window.DepthBits);
    EXPECT_EQ(asked.depthBufferSize(), 16);
    EXPECT_EQ(asked.redBufferSize(), 5);
    EXPECT_EQ(asked.greenBufferSize(), 6);
    const auto texts = dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "OpenGL is using a software driver") << "Mesa's llvmpipe under xvfb";
    EXPECT_EQ(Tf3DUIGL::DriverKind("NVIDIA GeForce"), "OpenGL is using an installable client driver");
}

}  // namespace
}  // namespace corvane
