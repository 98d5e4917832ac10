#pragma once

#include "skins/SkinCatalogue.h"
#include "skintools/CharacterFileRepair.h"
#include "skintools/ui/TRepairDialog.h"

class QPlainTextEdit;
class QWidget;

namespace corvane {

// The character-file editor: a character file beside the proposed repair of
// its suit name and of the meshes it names that are not installed; the
// proposal stays editable, and saving writes it over the file.
class TfrmCMXEdit : public TRepairDialog {
    Q_OBJECT

public:
    // Reads the problem's character file and proposes its repair against the
    // meshes of `catalogue`; throws when the file cannot be read.
    TfrmCMXEdit(const ProblemRecordDetails& problem, const SkinCatalogue& catalogue, const Settings& settings,
                Dialogs& dialogs, QWidget* parent = nullptr);

    QPlainTextEdit* edtOriginal = nullptr;
    QPlainTextEdit* edtNew = nullptr;

    const CharacterFileProposal& proposal() const { return proposal_; }

private:
    std::string repairedBytes() const override;
    // Shows what the proposal changed (bold navy) and could not change (red);
    // the last of them is selected.
    void showMarks();

    CharacterFileProposal proposal_;
};

// Shows TfrmCMXEdit over `parent` with the game's catalogue; a file it cannot
// open is reported through `dialogs` and counts as closed without saving.
RepairEditor CharacterFileEditor(QWidget* parent, const Settings& settings, Dialogs& dialogs);

}  // namespace corvane
