// The Save button and the save that runs before another neighbourhood opens
// and at exit.

#include "app/GameFileSettings.h"
#include "app/Settings.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmMain.h"
#include "neighbourhoods/CharacterSave.h"
#include "platform/GameWriteGuard.h"
#include "platform/StyledMessageDlg.h"
#include "skins/SkinCatalogue.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace corvane {

bool TfrmMain::SaveModifiedCharacters() {
    if (GameIsReadOnly()) {
        // Nothing can be saved: say so once more rather than ask, and let the user go on.
        if (document_.saveEnabled()) {
            StyledMessageDlg(services_.dialogs, LangStr(5022), LangStr(kGameIsReadOnly), MsgKind::Warning, 0, mrOk,
                             mbOK);
        }
        return true;
    }
    const Settings& settings = AppSettings();
    const CharacterSaveSettings save = SaveSettingsFor(settings, settings.NeighborhoodPath);

    // The busy window opens only once the user agreed to save.
    class BusyOnceSaving : public Progress {
    public:
        explicit BusyOnceSaving(TfrmMain& owner) : owner_(owner) {}
        void showStatus(const std::string& text) override { window().showStatus(text); }
        void showWarning(const std::string& text) override { window().showWarning(text); }
        void setMaximum(int maximum) override { window().setMaximum(maximum); }
        void setPosition(int position) override { window().setPosition(position); }

    private:
        TfrmBusy& window() {
            if (!busy_) {
                busy_ = std::make_unique<TfrmBusy>(&owner_);
                busy_->setBusyWidth(owner_.pageGroup("grpNeighborhood")->width() - 4);
            }
            return *busy_;
        }
        TfrmMain& owner_;
        std::unique_ptr<TfrmBusy> busy_;
    } progress(*this);
    CharacterSaveServices services{services_.dialogs, progress, [this]() -> const SkinCatalogue& {
                                       LoadSkinData();
                                       return GameSkinCatalogue();
                                   }};
    CharacterSaveResult result;
    const bool ran = ReportFailure(
        services_.dialogs, [&] { result = corvane::SaveModifiedCharacters(document_.characters(), save, services); });
    familiesRewritten_ = familiesRewritten_ || result.familiesChanged || result.reloadNeeded;
    if (result.saved) {
        document_.saved();
        fillCharacterList();
    }
    // A save that failed keeps the editor where it is, as an unanswered question does.
    return ran && !result.unanswered;
}

void TfrmMain::btnSaveClick() {
    const Sim* selected = document_.current();
    if (selected == nullptr) {
        return;
    }
    const std::int32_t neighborId = selected->NeighborID;
    const CharacterList& list = document_.characters();
    const LabelFormat format = RecogniseFormat(list.entries()[static_cast<std::size_t>(list.selected())].text, *selected);
    familiesRewritten_ = false;
    SaveModifiedCharacters();
    if (familiesRewritten_) {
        cbNeighborhoodChange();
    }
    document_.characters().relabel(format, neighborId);
    fillCharacterList();
    cbUserNameChange();
}

}  // namespace corvane
