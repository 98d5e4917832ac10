#include "app/ui/StyleForm.h"

#include "app/Settings.h"
#include "app/ui/TThinTrackbar.h"
#include "platform/ui/QtDialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>

namespace corvane {

namespace {

constexpr int kThumbLength = 15;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Look {
    std::optional<std::uint32_t> background;
    std::uint32_t text;
    int fontSize;
    bool makeVisible = false;
};

void applyLook(QWidget* widget, const Look& look, const Settings& settings) {
    QPalette palette = widget->palette();
    if (look.background) {
        QColor background = ColorFromBgr(*look.background);
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
            palette.setColor(role, background);
        }
        widget->setAutoFillBackground(true);
    }
    QColor text = ColorFromBgr(look.text);
    // A disabled control shows its text dimmed: the disabled page button marks
    // the page on show.
    QColor dimmed = text;
    dimmed.setAlpha(110);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, dimmed);
    }
    widget->setPalette(palette);
    QFont font(QString::fromStdString(settings.UIFontName));
    font.setPointSize(look.fontSize);
    widget->setFont(font);
    if (look.makeVisible) {
        widget->setVisible(true);
    }
}

// The look of a control by its kind; nothing for kinds that keep their own.
std::optional<Look> lookOf(QWidget* widget, const Settings& s) {
    const int size = s.UIFontSize;
    if (qobject_cast<QGroupBox*>(widget) || qobject_cast<QLabel*>(widget) || widget->isWindow()) {
        return Look{s.BackColor, s.FontColor, size};
    }
    if (qobject_cast<QCheckBox*>(widget)) {
        return Look{s.BackColor, s.BackColor, size, true};
    }
    if (qobject_cast<QAbstractButton*>(widget)) {
        return Look{std::nullopt, s.FontColor, size};
    }
    if (qobject_cast<QComboBox*>(widget)) {
        return Look{s.BackColor, s.FontColor, size + 2, true};
    }
    if (qobject_cast<QLineEdit*>(widget)) {
        return Look{kWhite, s.BackColor, size};
    }
    if (qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget)) {
        return Look{s.FontColor, s.BackColor, size, true};
    }
    if (qobject_cast<QTableWidget*>(widget) || qobject_cast<QTreeWidget*>(widget)) {
        return Look{s.FontColor, s.BackColor, size};
    }
    if (qobject_cast<QListWidget*>(widget)) {
        return Look{s.BackColor, s.FontColor, size, true};
    }
    if (widget->metaObject() == &QFrame::staticMetaObject) {  // a panel
        return Look{s.BackColor, s.FontColor, size, true};
    }
    return std::nullopt;
}

void styleOne(QWidget* widget, const Settings& settings) {
    if (auto* trackbar = qobject_cast<TThinTrackbar*>(widget)) {
        trackbar->setThumbLength(kThumbLength);
        return;
    }
    if (auto look = lookOf(widget, settings)) {
        applyLook(widget, *look, settings);
    }
}

}  // namespace

void StyleForm(QWidget* form, const Settings& settings) {
    styleOne(form, settings);
    for (QWidget* child : form->findChildren<QWidget*>()) {
        // Parts of compound controls (a combo box's list, a scroll area's
        // viewport) follow their owner.
        if (child->objectName().startsWith("qt_")) {
            continue;
        }
        styleOne(child, settings);
    }
}

}  // namespace corvane
