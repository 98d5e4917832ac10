#pragma once

#include "app/ui/EditorPage.h"
#include "profiles/ProfileExport.h"
#include "profiles/ProfileImport.h"

#include <filesystem>
#include <optional>

#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QEventLoop;
class QFrame;

namespace corvane {

class TframeCVPPreview;

// The "CVP's" page (grpCVPs): a character exported into a profile file with
// every skin file it wears, or a profile imported into the character. Both run
// as steps inside the page: a message with Continue (and Cancel), a preview of
// the files in which the user leaves some out, and the credits and rating.
class TCVPsPage : public EditorPage {
    Q_OBJECT

public:
    TCVPsPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnCVPsClick: the page at rest, with its introduction.
    void showPage() override;
    void restPage() override;
    void btnExportCVPClick();
    void btnImportCVPClick();
    void btnCVPContinueClick();
    void btnCVPCancelClick();
    void btnCVPUncheckAllClick();

    QLabel* lblCVPs = nullptr;
    QPushButton* btnExportCVP = nullptr;
    QPushButton* btnImportCVP = nullptr;
    QPushButton* btnCVPContinue = nullptr;
    QPushButton* btnCVPCancel = nullptr;
    QPushButton* btnCVPUncheckAll = nullptr;
    QFrame* pnlCVPPreview = nullptr;
    QLabel* lblCVPMessage = nullptr;
    QPlainTextEdit* memCVPCredit = nullptr;
    QRadioButton* rbEveryone = nullptr;
    QRadioButton* rbTeen = nullptr;
    QRadioButton* rbMature = nullptr;
    QRadioButton* rbAdult = nullptr;
    TframeCVPPreview* frameCVPPreview = nullptr;

signals:
    // A step waits for Continue or Cancel (tests answer it).
    void stepWaiting();

private:
    // The page shows no record: an edit (the import's own) leaves it as it is.
    void refresh() override {}
    void createControls(QGroupBox* box);
    void resetPage();
    // Shows `text` with Continue (and Cancel when offered) and waits for one
    // of them; true for Continue.
    bool step(const std::string& text, bool offerCancel, bool largeFont = true);
    // Waits in the preview with Uncheck All, Continue and Cancel; true for Continue.
    bool waitInPreview();
    bool waitForAnswer();
    // An export or import from start to end, with the pages locked.
    void runOperation(void (TCVPsPage::*operation)(Sim&));
    // The export's and import's first moves: the page's own buttons off.
    void beginOperation();
    // Uncheck All, the preview, the message panel and the emptied credits and rating.
    void hideStepControls();
    void fillExportPreview(const std::vector<ProfileFileEntry>& files);
    void fillImportPreview(const Profile& profile);
    bool creditsStep(const std::string& memoText, char rating, int messageId, bool offerCancel);
    std::optional<std::filesystem::path> chooseProfile(bool saving);
    void exportProfile(Sim& sim);
    void importProfile(Sim& sim);
    void showRating(bool shown);
    char ratingLetter() const;
    void checkRating(char letter);

    QGroupBox* box_;
    std::vector<QWidget*> ratingControls_;
    // The step waiting for its answer, and the answer: none when the wait
    // ended otherwise (the editor closing), which counts as Cancel.
    QEventLoop* waiting_ = nullptr;
    enum class Answer { None, Continue, Cancel } answer_ = Answer::None;
};

// A step's text between two lines of hyphens.
std::string FramedStepText(const std::string& text);

}  // namespace corvane
