#pragma once

#include "platform/Dialogs.h"

#include <QColor>
#include <QString>

class QWidget;

namespace corvane {

// A 0x00BBGGRR colour of the editor's settings as a QColor.
QColor ColorFromBgr(std::uint32_t bgr);

// "Description|pattern;pattern|…" filters as Qt's "Description (pattern pattern);;…".
QString QtFileFilter(const std::string& filter);

// The look of every message box the editor's dialogs show from now on. The
// editor has one look, settled at start-up from its colours and font.
void SetMessageStyle(const MessageStyle& style);

// The editor's dialogs: modal Qt message boxes, in the message style, and
// file dialogs over `parent`.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}

    ModalResult showMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const FileRequest& request) override;
    std::optional<std::filesystem::path> chooseSaveFile(const FileRequest& request) override;
    std::optional<std::filesystem::path> chooseFolder(const FolderRequest& request) override;

private:
    QWidget* parent_;
};

}  // namespace corvane
