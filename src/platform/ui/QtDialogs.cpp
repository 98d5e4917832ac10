#include "platform/ui/QtDialogs.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <map>

namespace corvane {

namespace {

QMessageBox::Icon iconFor(MsgKind kind) {
    switch (kind) {
        case MsgKind::Warning: return QMessageBox::Warning;
        case MsgKind::Error: return QMessageBox::Critical;
        case MsgKind::Information: return QMessageBox::Information;
        case MsgKind::Confirmation: return QMessageBox::Question;
        case MsgKind::None: break;
    }
    return QMessageBox::NoIcon;
}

// Accepting buttons take the Yes role: Qt makes the first button of the
// Accept role the default on its own, and a dialog without a named default
// must not have one.
QMessageBox::ButtonRole roleFor(ModalResult result) {
    switch (result) {
        case mrOk:
        case mrYes:
        case mrAll: return QMessageBox::YesRole;
        case mrNo: return QMessageBox::NoRole;
        case mrCancel:
        case mrAbort: return QMessageBox::RejectRole;
        default: return QMessageBox::ActionRole;
    }
}

MessageStyle& messageStyle() {
    static MessageStyle style;
    return style;
}

void applyStyle(QMessageBox& box, const MessageStyle& style) {
    QPalette palette = box.palette();
    palette.setColor(QPalette::Window, ColorFromBgr(style.backgroundColor));
    palette.setColor(QPalette::WindowText, ColorFromBgr(style.textColor));
    box.setPalette(palette);
    box.setAutoFillBackground(true);
    QFont font(QString::fromStdString(style.fontName));
    font.setPointSize(style.fontSize);
    box.setFont(font);
}

// Escape and the window's close box answer nothing: Qt would press the only
// No button for them, and a No the user never gave can lose work ("Save the
// changed Sims?" at exit). The dialog then returns mrCancel.
class ButtonsOnlyMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { QDialog::closeEvent(event); }
};

std::optional<std::filesystem::path> pathOrNothing(const QString& chosen) {
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(chosen.toStdString());
}

QString startPath(const FileRequest& request) {
    std::filesystem::path start = request.initialFolder;
    if (!request.fileName.empty()) {
        start /= request.fileName;
    }
    return QString::fromStdString(start.string());
}

using FileDialogCall = QString (*)(QWidget*, const QString&, const QString&, const QString&, QString*,
                                   QFileDialog::Options);

// The open or save dialog of `call`. Qt names the chosen filter by its text;
// the caller is told its place.
std::optional<std::filesystem::path> askForFile(QWidget* parent, const FileRequest& request, FileDialogCall call) {
    const QString filters = QtFileFilter(request.filter);
    QString selected;
    const QString chosen =
        call(parent, QString::fromStdString(request.caption), startPath(request), filters, &selected, {});
    if (request.chosenFilter != nullptr) {
        const qsizetype index = filters.split(QStringLiteral(";;")).indexOf(selected);
        *request.chosenFilter = index < 0 ? 0 : static_cast<int>(index);
    }
    return pathOrNothing(chosen);
}

}  // namespace

void SetMessageStyle(const MessageStyle& style) {
    messageStyle() = style;
}

QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QString QtFileFilter(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList qtFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        qtFilters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return qtFilters.join(QStringLiteral(";;"));
}

ModalResult QtDialogs::showMessage(const MessageRequest& request) {
    ButtonsOnlyMessageBox box(iconFor(request.kind), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, parent_);
    applyStyle(box, messageStyle());
    std::map<QAbstractButton*, ModalResult> results;
    for (const DialogButton& button : request.buttons) {
        QPushButton* added = box.addButton(QString::fromStdString(button.caption), roleFor(button.result));
        results[added] = button.result;
        // Without a named default, Enter must not pick a button by itself.
        added->setAutoDefault(false);
        if (button.result == request.defaultResult) {
            box.setDefaultButton(added);
            added->setFocus();
        }
    }
    box.exec();
    auto it = results.find(box.clickedButton());
    return it == results.end() ? mrCancel : it->second;
}

std::optional<std::filesystem::path> QtDialogs::chooseOpenFile(const FileRequest& request) {
    return askForFile(parent_, request, &QFileDialog::getOpenFileName);
}

std::optional<std::filesystem::path> QtDialogs::chooseSaveFile(const FileRequest& request) {
    return askForFile(parent_, request, &QFileDialog::getSaveFileName);
}

std::optional<std::filesystem::path> QtDialogs::chooseFolder(const FolderRequest& request) {
    return pathOrNothing(QFileDialog::getExistingDirectory(parent_, QString::fromStdString(request.caption),
                                                           QString::fromStdString(request.initialFolder.string())));
}

}  // namespace corvane
