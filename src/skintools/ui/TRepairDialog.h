#pragma once

#include "platform/Dialogs.h"
#include "skins/ProblemRecordDetails.h"

#include <QDialog>
#include <QRect>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QString;

namespace corvane {

struct Settings;

// Opens a repair editor modally for one problem; true when it closed with OK
// (the repair saved). The pages are given one, so tests answer without a window.
using RepairEditor = std::function<bool(const ProblemRecordDetails&)>;

// What both repair editors share: the file of one problem on the left, the
// proposed repair on the right, the problem below them, a numbered backup on
// request, and the repair written over the file.
class TRepairDialog : public QDialog {
    Q_OBJECT

public:
    QLabel* lblOriginal = nullptr;
    QLabel* lblNew = nullptr;
    QLabel* lblProblem = nullptr;
    QLabel* lblPath = nullptr;
    QLabel* lblBackupFiles = nullptr;
    QCheckBox* ckBackup = nullptr;
    QPushButton* btnSaveChanges = nullptr;
    QPushButton* btnClose = nullptr;

    const ProblemRecordDetails& problem() const { return problem_; }
    // The problem's file: its folder and name.
    std::filesystem::path file() const;

    // Keeps the backup when asked, writes the repair over the file, says so
    // and closes with OK; a failure is shown and the dialog stays open.
    void btnSaveChangesClick();

    // Saving hands the repair to `keep` instead, and the file stays as it is
    // (no backup is offered then): for a file outside the game that the user
    // only chose to import.
    void keepRepairInstead(std::function<void(const std::string& bytes)> keep);

protected:
    TRepairDialog(const ProblemRecordDetails& problem, std::filesystem::path backupFolder, Dialogs& dialogs,
                  QWidget* parent);

    // Where the two sides go.
    static QRect originalArea();
    static QRect newArea();
    // A label of the dialog named `name`, placed at `place`.
    QLabel* createLabel(const char* name, const QRect& place);
    // The window caption and the texts of the shared controls; `beforePath`
    // stands between the path label's caption and the file's path.
    void setTexts(int caption, const QString& original, const QString& problemText,
                  const QString& beforePath = {});
    // The editor's colours and fonts, once every control exists.
    void styleControls(const Settings& settings);

    // The file's new contents.
    virtual std::string repairedBytes() const = 0;

private:
    ProblemRecordDetails problem_;
    std::filesystem::path backupFolder_;
    Dialogs& dialogs_;
    std::function<void(const std::string& bytes)> keepRepair_;
};

// Makes an editor with `make` and shows it modally; true when it closed with
// OK. An editor that cannot be made (its file unreadable) is reported through
// `dialogs` and counts as closed without saving.
bool ShowRepairEditor(Dialogs& dialogs, const std::function<std::unique_ptr<TRepairDialog>()>& make);

// A problem's text (UTF-8, lines ended by CR LF) for a label.
QString DisplayedText(const std::string& text8);

}  // namespace corvane
