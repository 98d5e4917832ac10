#include "app/ui/TfrmMain.h"

#include "app/Settings.h"
#include "app/VersionText.h"
#include "platform/LanguageModule.h"
#include "platform/ui/QtDialogs.h"

#include <QGuiApplication>
#include <QScreen>

namespace corvane {

TfrmMain::TfrmMain(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMain");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setWindowTitle(QString::fromStdString(LangStr(6158) + " - " + LangStr(6159) + " " + GetVersionText()));

    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColorFromBgr(AppSettings().BackColor));
    colours.setColor(QPalette::WindowText, ColorFromBgr(AppSettings().FontColor));
    setPalette(colours);
    setAutoFillBackground(true);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

}  // namespace corvane
