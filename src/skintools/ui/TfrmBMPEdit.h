#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <vector>
#include "skintools/ui/TRepairDialog.h"

class QWidget;

namespace corvane {

// The colour-correction editor: a texture beside its 8-bit form, which the
// game needs; saving writes the 8-bit form over the texture.
class TfrmBMPEdit : public TRepairDialog {
    Q_OBJECT

public:
    // Reads and decodes the problem's texture as the game repairs it and makes
    // the proposal; throws when the file cannot be read or decoded.
    TfrmBMPEdit(const ProblemRecordDetails& problem, const Settings& settings, Dialogs& dialogs,
                QWidget* parent = nullptr);

    QLabel* imgOriginal = nullptr;
    QLabel* imgNew = nullptr;

    const Bitmap& current() const { return current_; }
    const Bitmap& proposal() const { return proposal_; }

private:
    std::string repairedBytes() const override;

    Bitmap current_;
    Bitmap proposal_;
    std::vector<std::uint8_t> proposalBytes_;
};

// Shows TfrmBMPEdit over `parent`; a texture it cannot open is reported
// through `dialogs` and counts as closed without saving.
RepairEditor ColourCorrectionEditor(QWidget* parent, const Settings& settings, Dialogs& dialogs);

}  // namespace corvane
