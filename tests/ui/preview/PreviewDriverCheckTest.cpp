// The driver check ("/openglcheck") speaks while the preview is being made;
// afterwards the preview must still draw the character in its own context.
// Real OpenGL (xvfb in CI); fails, never skips, without a context.
#include "support/ui/DemoEditorTest.h"

#include "app/Settings.h"
#include "platform/ui/QtDialogs.h"
#include "render/ui/Tf3DUIGL.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTimer>

#include <string>
#include <vector>

namespace corvane {
namespace {

// The dialogs as the editor shows them: each message a real modal box with
// its own event loop, in which the windows repaint, closed with its first
// button once on screen. The script records the texts and gives the answers.
class OnScreenDialogs : public Dialogs {
public:
    explicit OnScreenDialogs(test::ScriptedDialogs& script) : script_(script) {}

    ModalResult showMessage(const MessageRequest& request) override {
        QTimer::singleShot(0, [] {
            QApplication::processEvents();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (box != nullptr && box->isVisible()) box->buttons().front()->click();
            }
        });
        QtDialogs().showMessage(request);
        return script_.showMessage(request);
    }
    std::optional<std::filesystem::path> chooseOpenFile(const FileRequest& r) override { return script_.chooseOpenFile(r); }
    std::optional<std::filesystem::path> chooseSaveFile(const FileRequest& r) override { return script_.chooseSaveFile(r); }
    std::optional<std::filesystem::path> chooseFolder(const FolderRequest& r) override { return script_.chooseFolder(r); }

private:
    test::ScriptedDialogs& script_;
};

std::vector<std::string>& qtWarnings() {
    static std::vector<std::string> warnings;
    return warnings;
}

void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtDebugMsg && type != QtInfoMsg) qtWarnings().push_back(text.toStdString());
}

class PreviewDriverCheckTest : public test::DemoEditorTest {
protected:
    void SetUp() override {
        qtWarnings().clear();
        previousHandler = qInstallMessageHandler(keepWarning);
        DemoEditorTest::SetUp();
    }
    void TearDown() override {
        DemoEditorTest::TearDown();
        qInstallMessageHandler(previousHandler);
    }
    Dialogs& editorDialogs() override { return onScreen; }
    CommandLineSwitches editorSwitches() const override {
        CommandLineSwitches switches;
        switches.openGlChecks = 1;
        return switches;
    }

    OnScreenDialogs onScreen{dialogs};
    QtMessageHandler previousHandler = nullptr;
};

TEST_F(PreviewDriverCheckTest, AfterTheCheckThePreviewDrawsTheCharacterInItsOwnColours) {
    ASSERT_TRUE(Tf3DUIGL::OpenGlAvailable()) << "the preview needs OpenGL on this display";
    window->show();
    QApplication::processEvents();
    dialogs.answer(mrOk);
    open("User00001", "btnSkillsPersonality");  // the preview is made here, and the check speaks
    QApplication::processEvents();
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"OpenGL is using a software driver"})
        << "Mesa's llvmpipe under xvfb, said once";
    ASSERT_NE(window->f3DUIGL, nullptr);
    ASSERT_TRUE(window->f3DUIGL->isVisible());

    const QImage frame = window->f3DUIGL->grabFramebuffer();
    ASSERT_FALSE(frame.isNull());
    const QColor background = ColorFromBgr(AppSettings().PreviewColor);
    EXPECT_EQ(QColor(frame.pixel(1, frame.height() - 2)), background) << "the preview colour, not the window's";
    int character = 0;
    int plain = 0;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            (QColor(frame.pixel(x, y)) == background ? plain : character) += 1;
        }
    }
    EXPECT_GT(character, frame.width() * frame.height() / 50) << "the character is drawn";
    EXPECT_GT(plain, frame.width() * frame.height() / 2) << "around it, the preview colour";
    for (const std::string& warning : qtWarnings()) {
        EXPECT_EQ(warning.find("No fbo"), std::string::npos) << warning;
    }
}

}  // namespace
}  // namespace corvane
