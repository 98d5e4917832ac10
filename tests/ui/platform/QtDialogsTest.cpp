#include "platform/ui/QtDialogs.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace corvane {
namespace {

QApplication& app() {
    return test::QtTestApplication();
}

// Runs `inspect` on the message box once it is on screen, then presses the
// button captioned `press`.
void whenShown(const std::function<void(QMessageBox&)>& inspect, const QString& press) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        inspect(*box);
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == press) {
                button->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << press.toStdString();
        box->reject();
    });
}

MessageRequest request(MsgKind kind, ModalResult defaultResult) {
    MessageRequest r;
    r.caption = "Corvane 3D";
    r.text = "Replace the file?";
    r.kind = kind;
    r.defaultResult = defaultResult;
    r.buttons = {{mrYes, "Ja"}, {mrNo, "Nein"}, {mrAll, "Alle"}};
    return r;
}

TEST(QtDialogs, ShowsCaptionsColoursAndDefaultAndReturnsThePressedButton) {
    app();
    SetMessageStyle({0xFFDBB7, 0x804000, "Trebuchet MS", 8});
    QtDialogs dialogs;
    whenShown(
        [](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "Corvane 3D");
            EXPECT_EQ(box.text(), "Replace the file?");
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box.palette().color(QPalette::Window), QColor(0xB7, 0xDB, 0xFF));
            EXPECT_EQ(box.palette().color(QPalette::WindowText), QColor(0x00, 0x40, 0x80));
            EXPECT_EQ(box.font().family(), "Trebuchet MS");
            EXPECT_EQ(box.font().pointSize(), 8);
            ASSERT_NE(box.defaultButton(), nullptr);
            EXPECT_EQ(box.defaultButton()->text(), "Nein");
        },
        "Alle");
    EXPECT_EQ(dialogs.showMessage(request(MsgKind::None, mrNo)), mrAll);
    SetMessageStyle({});
}

TEST(QtDialogs, KindChoosesTheIconAndNoDefaultMeansNone) {
    app();
    QtDialogs dialogs;
    struct Case { MsgKind kind; QMessageBox::Icon icon; };
    for (auto [kind, icon] : {Case{MsgKind::Warning, QMessageBox::Warning}, Case{MsgKind::Error, QMessageBox::Critical},
                              Case{MsgKind::Information, QMessageBox::Information},
                              Case{MsgKind::Confirmation, QMessageBox::Question}}) {
        whenShown(
            [icon](QMessageBox& box) {
                EXPECT_EQ(box.icon(), icon);
                for (QAbstractButton* button : box.buttons()) {
                    EXPECT_FALSE(qobject_cast<QPushButton*>(button)->isDefault()) << button->text().toStdString();
                }
            },
            "Ja");
        EXPECT_EQ(dialogs.showMessage(request(kind, mrNone)), mrYes);
    }
}

// Qt would press the only No button for Escape and the close box; a No the
// user never gave can lose work, so both answer nothing.
TEST(QtDialogs, EscapeAndTheCloseBoxAnswerNothingNotNo) {
    app();
    QtDialogs dialogs;
    MessageRequest question = request(MsgKind::None, mrYes);
    question.buttons = {{mrYes, "Ja"}, {mrNo, "Nein"}};
    struct Case {
        const char* way;
        std::function<void(QMessageBox&)> close;
    };
    const std::vector<Case> cases{
        {"Escape",
         [](QMessageBox& box) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&box, &escape);
         }},
        {"close box", [](QMessageBox& box) { box.close(); }},
    };
    for (const Case& c : cases) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            c.close(*box);
            if (box->isVisible()) {
                ADD_FAILURE() << c.way << " left the box open";
                box->buttons().front()->click();
            }
        });
        EXPECT_EQ(dialogs.showMessage(question), mrCancel) << c.way;
    }
}

TEST(QtDialogs, FiltersBecomeQtFilters) {
    EXPECT_EQ(QtFileFilter("Sims.exe|Sims.exe"), "Sims.exe (Sims.exe)");
    EXPECT_EQ(QtFileFilter("Bitmaps|*.bmp;*.BMP|All files|*.*"), "Bitmaps (*.bmp *.BMP);;All files (*.*)");
    EXPECT_EQ(ColorFromBgr(0x804000), QColor(0, 0x40, 0x80));
}

}  // namespace
}  // namespace corvane
