#pragma once

#include "app/ui/EditorPage.h"
#include "skins/ProblemRecordDetails.h"
#include "skintools/ui/TRepairDialog.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace corvane {

// The validation page (grpSkinValidate): every installed character file and
// texture is checked, and the problems are listed by file; a double click on
// one opens the editor that repairs it, or explains it.
class TSkinValidatePage : public EditorPage {
    Q_OBJECT

public:
    TSkinValidatePage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnSkinValidateClick: the page shown, the check run.
    void showPage() override;
    // Another page is shown: the problems are let go.
    void restPage() override;

    // The check (also btnValidate's handler).
    void btnSkinValidateClick();
    // Repairs or explains the problem of the selected row.
    void lbProblemListDblClick();

    // Who opens the colour-correction and character-file editors (tests answer in code).
    void setColourEditor(RepairEditor editor) { colourEditor_ = std::move(editor); }
    void setCharacterFileEditor(RepairEditor editor) { characterFileEditor_ = std::move(editor); }

    // The problems of the last check still listed, one per row of lbProblemList.
    const ProblemList& problems() const { return problems_; }

    QLabel* lblValidExplain = nullptr;
    QLabel* lblSkinValidate = nullptr;
    QListWidget* lbProblemList = nullptr;
    QPushButton* btnValidate = nullptr;

private:
    // The page shows files, not the character: edits leave it as it is.
    void refresh() override {}
    void createControls(QGroupBox* box);
    void clearProblems();

    ProblemList problems_;
    RepairEditor colourEditor_;
    RepairEditor characterFileEditor_;
};

}  // namespace corvane
