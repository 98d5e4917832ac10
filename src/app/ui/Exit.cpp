// Closing the main window: the last save, the remembered options and the
// neighbourhood the game opens next.

#include "app/EditorOptions.h"
#include "app/NeighbourhoodSwap.h"
#include "app/Settings.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmMain.h"
#include "platform/GameWriteGuard.h"
#include "platform/LanguageModule.h"
#include "skins/SkinCatalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>

namespace corvane {

void TfrmMain::closeEvent(QCloseEvent* event) {
    // During a long operation the header is disabled: the window stays.
    if (!grpNGBD->isEnabled() || closing_) {
        event->ignore();
        return;
    }
    closing_ = true;
    bool closed = false;
    ReportFailure(services_.dialogs, [&] { closed = FormClose(); });
    if (!closed) {
        // The save question was closed unanswered, or the save or the last
        // steps failed: back to the editor, every change kept.
        closing_ = false;
        event->ignore();
        return;
    }
    event->accept();
}

bool TfrmMain::FormClose() {
    QCoreApplication::processEvents();
    if (!SaveModifiedCharacters()) return false;
    {
        const PageLock locked(*this);
        TfrmBusy busy(this);
        busy.showStatus(LangStr(7097));
        closeAboutWindow();

        EditorOptions options;
        options.showMissingChildFormals = ckChkChdFormals->isChecked();
        options.openGameAtCurrentNeighbourhood = ckOpenCurNBGD->isChecked();
        WriteEditorOptions(services_.registry, options);
        // Read-only, the game is left to the editor that holds it, its next neighbourhood included.
        if (options.openGameAtCurrentNeighbourhood && cbNeighborhood->currentIndex() >= 0 && !GameIsReadOnly()) {
            SwapNeighbourhoodAtExit(AppSettings().ExpansionLevel, cbNeighborhood->currentText().toInt(),
                                    AppSettings().GamePath, services_.registry, services_.dialogs);
        }
        document_.close();
        cbUserName->clear();
        DiscardSkinCatalogue(GameSkinCatalogue());
        SetLanguageModule(LanguageModule());
    }
    return true;
}

}  // namespace corvane
