#pragma once

#include "app/ui/EditorPage.h"
#include "skintools/MissingSkinSearch.h"

#include <vector>

class QAction;
class QMenu;
class QPushButton;
class QTableWidget;

namespace corvane {

// The missing-skin page (grpMissingSkinSearch): every skin the characters of
// the open neighbourhood wear that is not installed, one row each, saved as
// a CSV, text or XML report.
class TMissingSkinPage : public EditorPage {
    Q_OBJECT

public:
    TMissingSkinPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnMissingSkinSearchClick: the page opened is searched at once.
    void showPage() override { btnMissingSkinSearchClick(); }

    void btnMissingSkinSearchClick();
    // The skin files may have changed since the catalogue was built: it is read anew first.
    void btnSearchAgainClick();
    void btnMissingSkinsSaveFileClick();
    // Column 2 (the skin's name) of the current row to the clipboard.
    void mnuCopySkinNameClick();

    // The findings the grid shows, as the characters' files spell them.
    const std::vector<MissingSkinRow>& rows() const { return rows_; }

    // The header row holds the column titles; the grid's first row stays
    // empty, and the n-th finding is in row n with its number in the hidden column 0.
    QTableWidget* sgMissingSkins = nullptr;
    QPushButton* btnSearchAgain = nullptr;
    QPushButton* btnMissingSkinsSaveFile = nullptr;
    QMenu* popMissingSkins = nullptr;
    QAction* mnuCopySkinName = nullptr;

private:
    // The page shows a search, not the character: edits leave it as it is.
    void refresh() override {}
    void createControls(QGroupBox* box);
    void resetGrid();
    void search();
    void addMissingRow(const MissingSkinRow& row);
    // "Show Missing Children Formals", the main window's box on this page.
    bool childrenFormals() const;

    std::vector<MissingSkinRow> rows_;
};

}  // namespace corvane
