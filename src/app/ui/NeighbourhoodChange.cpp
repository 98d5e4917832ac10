// Choosing a neighbourhood in the header, and the character list.

#include "app/GameFileSettings.h"
#include "app/Settings.h"
#include "app/ui/Artwork.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/GameText.h"
#include "app/ui/TfrmMain.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>

namespace corvane {

namespace {

constexpr int kBusyHeight = 100;
constexpr int kThumbnailSize = 25;

QIcon thumbnailIcon(const std::optional<Bitmap>& thumbnail) {
    if (!thumbnail) {
        return QIcon(WithMagentaTransparent(ArtworkMissingPicture()));
    }
    QImage image(thumbnail->width, thumbnail->height, QImage::Format_RGB32);
    for (int y = 0; y < thumbnail->height; ++y) {
        for (int x = 0; x < thumbnail->width; ++x) {
            const Rgb& c = thumbnail->at(x, y);
            image.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    }
    return QIcon(QPixmap::fromImage(image.scaled(kThumbnailSize, kThumbnailSize)));
}

// The buttons a pet has no page for.
constexpr const char* kHumanOnlyButtons[] = {"btnInterests", "btnHead", "btnHands", "btnFormal", "btnFashion",
                                             "btnWinter", "btnSwimWear", "btnPajamas", "btnNude"};
// Pages on which a new character changes nothing.
constexpr const char* kCharacterFreePages[] = {"grpNeighborhood", "grpExport", "grpCMXBuilder", "grpMissingSkinSearch",
                                               "grpDupsSearch", "grpSkinValidate", "grpAbout"};

}  // namespace

void TfrmMain::cbNeighborhoodChange() {
    LockPages();
    SaveModifiedCharacters();
    ShowPage(pageButton("btnNeighborhood"));
    {
        TfrmBusy busy(this);
        busy.setBusyWidth(pageGroup("grpNeighborhood")->width() - 4);
        busy.setBusyHeight(kBusyHeight);
        SetCurrentSim(nullptr);
        characters_.clear();
        cbUserName->clear();
        neighbourhoodImage_.reset();
        Settings& settings = AppSettings();
        if (cbNeighborhood->currentIndex() >= 0) {
            settings.NeighborhoodPath =
                ResolveCaseInsensitive(settings.GamePath, cbNeighborhood->currentData().toString().toStdString());
            // Opened for editing: small and given-up damaged files go to the Trash.
            const NeighbourhoodLoadSettings load = LoadSettingsFor(settings, settings.NeighborhoodPath, true);
            OpenedNeighbourhood opened = OpenNeighbourhood(load, services_.dialogs, busy);
            neighbourhoodImage_ = std::move(opened.image);
            characters_.assign(std::move(opened.characters), std::move(opened.thumbnails));
        }
        fillCharacterList();
    }
    UnlockPages();
    cbNeighborhood->setFocus();
    if (!characters_.empty()) {
        grpSelect->setEnabled(true);
        cbUserNameChange();
    }
    ShowPage(pageButton("btnNeighborhood"));
}

void TfrmMain::fillCharacterList() {
    cbUserName->clear();
    for (const CharacterList::Entry& entry : characters_.entries()) {
        cbUserName->addItem(thumbnailIcon(entry.thumbnail), GameText(entry.text));
    }
    cbUserName->setCurrentIndex(characters_.selected());
}

void TfrmMain::cbUserNameChange() {
    Sim* sim = characters_.selectedSim();
    SetCurrentSim(sim);
    if (sim == nullptr) {
        return;
    }
    fitPageButtonsTo(*sim);
    bool characterFreePage = false;
    for (const char* name : kCharacterFreePages) {
        characterFreePage = characterFreePage || pageGroup(name)->isVisibleTo(this);
    }
    if (!characterFreePage) {
        for (const PageInfo& page : MainWindowPages()) {
            QPushButton* button = pageButton(page.button);
            if (!button->isEnabled() && !button->isHidden()) {
                // The page's own click shows it again for the new character.
                emit button->clicked();
                break;
            }
        }
    }
    cbUserName->setToolTip(cbUserName->currentText());
}

void TfrmMain::fitPageButtonsTo(const Sim& sim) {
    const int level = AppSettings().ExpansionLevel;
    const bool pet = sim.AgeGroup != "adult" && sim.AgeGroup != "child";
    auto activeIs = [&](const char* name) { return !pageButton(name)->isEnabled(); };
    if (pet) {
        bool leavePage = false;
        for (const char* name : kHumanOnlyButtons) {
            leavePage = leavePage || activeIs(name);
            pageButton(name)->hide();
        }
        pageButton("btnNormal")->setText(QString::fromStdString(LangStr(5029)));
        if (leavePage) {
            ShowPage(pageButton("btnNeighborhood"));
        }
        return;
    }
    const bool child = sim.AgeGroup == "child";
    pageButton("btnInterests")->setVisible(level > 2);
    pageButton("btnHead")->show();
    pageButton("btnHands")->show();
    const bool formalHidden = child && level >= 5;
    if (formalHidden && (activeIs("btnFormal") || activeIs("btnFashion"))) {
        pageButton(activeIs("btnFormal") ? "btnFormal" : "btnFashion")->setEnabled(true);
        pageButton("btnNormal")->setEnabled(false);
    }
    pageButton("btnFormal")->setVisible(!formalHidden);
    pageButton("btnFashion")->setVisible(!child && level > 5);
    pageButton("btnWinter")->setVisible(level > 3);
    pageButton("btnNude")->setVisible(level > 3);
    pageButton("btnSwimWear")->show();
    pageButton("btnPajamas")->show();
    pageButton("btnNormal")->setText(QString::fromStdString(LangStr(4020)));
}

void TfrmMain::RefreshCharacterTexts() {
    characters_.relabel();
    fillCharacterList();
}

void TfrmMain::btnSortUsersClick() {
    characters_.cycleFormat();
    fillCharacterList();
}

void TfrmMain::btnDelSimClick() {
    Sim* sim = characters_.selectedSim();
    if (sim == nullptr) {
        return;
    }
    const auto file = ResolveCaseInsensitive(AppSettings().NeighborhoodPath, "Characters\\" + sim->FileName + ".iff");
    if (std::filesystem::exists(file)) {
        if (StyledMessageDlg(services_.dialogs, LangStr(5022), LangStr(8039), MsgKind::None, 0, mrNo, mbYesNo) != mrYes) {
            return;
        }
        try {
            MoveToTrash(file);
        } catch (const ShellOperationError&) {
            StyledMessageDlg(services_.dialogs, LangStr(5022), LangStr(7044), MsgKind::None, 0, mrOk, mbOK);
            return;
        }
    }
    characters_.remove(characters_.selected());
    fillCharacterList();
    if (characters_.empty()) {
        SetCurrentSim(nullptr);
        UnlockPages();
        return;
    }
    cbUserNameChange();
}

}  // namespace corvane
