// Choosing a neighbourhood in the header, and the character list.

#include "app/GameFileSettings.h"
#include "app/Settings.h"
#include "app/ui/Artwork.h"
#include "app/ui/BitmapImage.h"
#include "app/ui/TfrmBusy.h"
#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmMain.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"
#include "sim/Traits.h"

#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QPushButton>

#include <utility>

namespace corvane {

namespace {

constexpr int kBusyHeight = 100;
constexpr int kThumbnailSize = 25;

QIcon thumbnailIcon(const std::optional<Bitmap>& thumbnail) {
    if (!thumbnail) {
        return QIcon(WithMagentaTransparent(ArtworkMissingPicture()));
    }
    return QIcon(QPixmap::fromImage(ImageOfBitmap(*thumbnail).scaled(kThumbnailSize, kThumbnailSize)));
}

}  // namespace

void TfrmMain::cbNeighborhoodChange() {
    LockPages();
    if (!SaveModifiedCharacters()) {
        // The save question was closed unanswered: the open neighbourhood stays, with its changes.
        const Settings& settings = AppSettings();
        for (int i = 0; i < cbNeighborhood->count(); ++i) {
            const auto folder = cbNeighborhood->itemData(i).toString().toStdString();
            if (ResolveCaseInsensitive(settings.GamePath, folder) == settings.NeighborhoodPath) {
                cbNeighborhood->setCurrentIndex(i);
            }
        }
        UnlockPages();
        return;
    }
    ShowPage(pageButton("btnNeighborhood"));
    const bool wasLoading = std::exchange(BusyLoading, true);
    ReportFailure(services_.dialogs, [&] {
        TfrmBusy busy(this);
        busy.setBusyWidth(pageGroup("grpNeighborhood")->width() - 4);
        busy.setBusyHeight(kBusyHeight);
        document_.close();
        cbUserName->clear();
        Settings& settings = AppSettings();
        if (cbNeighborhood->currentIndex() >= 0) {
            settings.NeighborhoodPath =
                ResolveCaseInsensitive(settings.GamePath, cbNeighborhood->currentData().toString().toStdString());
            // Opened for editing: small and given-up damaged files go to the Trash.
            const NeighbourhoodLoadSettings load = LoadSettingsFor(settings, settings.NeighborhoodPath, true);
            OpenedNeighbourhood opened = OpenNeighbourhood(load, services_.dialogs, busy);
            document_.open(std::move(opened.characters), std::move(opened.thumbnails), std::move(opened.image),
                           opened.imageStamp);
        }
    });
    fillCharacterList();
    BusyLoading = wasLoading;
    UnlockPages();
    cbNeighborhood->setFocus();
    if (!document_.characters().empty()) {
        grpSelect->setEnabled(true);
        cbUserNameChange();
    }
    showNeighbourhoodPage();
}

void TfrmMain::showNeighbourhoodPage() {
    ShowPage(pageButton("btnNeighborhood"));
    // Its button fills the page when clicked; switched to from here, it is filled here.
    page(PageKind::Neighbourhood)->showPage();
}

std::string TfrmMain::neighbourhoodShown() const {
    return cbNeighborhood->currentText().toStdString();
}

void TfrmMain::fillCharacterList() {
    cbUserName->clear();
    for (const CharacterList::Entry& entry : document_.characters().entries()) {
        cbUserName->addItem(thumbnailIcon(entry.thumbnail), GameText(entry.text));
    }
    cbUserName->setCurrentIndex(document_.characters().selected());
}

void TfrmMain::cbUserNameChange() {
    Sim* sim = document_.current();
    if (sim == nullptr) {
        return;
    }
    fitPageButtonsTo(*sim);
    const PageInfo* shown = pageOnShow();
    if (shown == nullptr || shown->rules.followsCharacter) {
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
    const bool pet = IsPet(sim);
    bool pageOnShowWithdrawn = false;
    for (const PageInfo& row : MainWindowPages()) {
        QPushButton* button = pageButton(row.button);
        if (row.rules.petCaption != 0) {
            button->setText(QString::fromStdString(pet ? LangStr(row.rules.petCaption) : ComposeText(row.rules.caption)));
        }
        if (row.rules.offeredFor == nullptr) continue;
        const bool offered = row.rules.offeredFor(sim, level);
        pageOnShowWithdrawn = pageOnShowWithdrawn || (!offered && !button->isEnabled());
        if (!offered && !button->isEnabled() && !pet) {
            // A child's outfit page gives way to the everyday clothes.
            button->setEnabled(true);
            pageButton("btnNormal")->setEnabled(false);
        }
        button->setVisible(offered);
    }
    if (pet && pageOnShowWithdrawn) {
        showNeighbourhoodPage();
    }
}

void TfrmMain::RefreshCharacterTexts() {
    document_.characters().relabel();
    fillCharacterList();
}

void TfrmMain::btnSortUsersClick() {
    document_.characters().cycleFormat();
    fillCharacterList();
}

void TfrmMain::btnDelSimClick() {
    Sim* sim = document_.current();
    if (sim == nullptr) {
        return;
    }
    const auto file = ResolveCaseInsensitive(AppSettings().NeighborhoodPath, "Characters\\" + sim->FileName + ".iff");
    std::error_code unreadable;
    if (std::filesystem::exists(file, unreadable) || unreadable) {
        if (StyledMessageDlg(services_.dialogs, LangStr(5022), LangStr(8039), MsgKind::None, 0, mrNo, mbYesNo) != mrYes) {
            return;
        }
        try {
            MoveToTrash(file);
        } catch (const ShellOperationError& failure) {
            StyledMessageDlg(services_.dialogs, LangStr(5022), LangStr(7044) + "\n" + failure.what(), MsgKind::None, 0,
                             mrOk, mbOK);
            return;
        }
    }
    document_.removeCharacter(document_.characters().selected());
    fillCharacterList();
    if (document_.characters().empty()) {
        UnlockPages();
        return;
    }
    cbUserNameChange();
}

}  // namespace corvane
