#include "app/ui/WindowLook.h"

#include "app/Settings.h"
#include "platform/ui/QtDialogs.h"

#include <QWidget>

namespace corvane {

void SetWindowLook(QWidget* widget, std::uint32_t background, std::uint32_t text, int pointSize) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, ColorFromBgr(background));
    colours.setColor(QPalette::WindowText, ColorFromBgr(text));
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
    QFont font(QString::fromStdString(AppSettings().UIFontName));
    font.setPointSize(pointSize);
    widget->setFont(font);
}

}  // namespace corvane
