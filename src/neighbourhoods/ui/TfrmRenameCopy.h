#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

struct Settings;

// What the name dialog offers: its caption, its label and the free names.
struct NameChoice {
    std::string caption;
    std::string label;
    std::vector<std::string> names;
};

// Asks for a new neighbourhood name; nothing when cancelled or when no name
// was chosen. The page is given one, so tests answer without a window.
using NameChooser = std::function<std::optional<std::string>(const NameChoice&)>;

// The name dialog of a rename or a copy: the free names in a list, the first
// one selected, OK and Cancel.
class TfrmRenameCopy : public QDialog {
    Q_OBJECT

public:
    TfrmRenameCopy(const NameChoice& choice, const Settings& settings, QWidget* parent = nullptr);

    // The selected name, kept when the dialog closes.
    QString ChosenName;

    QLabel* lblRenameCopy = nullptr;
    QListWidget* cbRenameCopy = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    void done(int result) override;
};

// The chooser that shows TfrmRenameCopy over `parent`.
NameChooser RenameCopyDialogChooser(QWidget* parent, const Settings& settings);

}  // namespace corvane
