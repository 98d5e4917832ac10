// Switching the main window's pages, and locking them during long operations.

#include "app/ui/Artwork.h"
#include "app/ui/TfrmAbout.h"
#include "app/ui/TfrmMain.h"
#include "render/ui/Tf3DUIGL.h"
#include "skins/ui/TSkinSelectPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace corvane {

namespace {

QRect rectOf(const Bounds& bounds) {
    return {bounds.left, bounds.top, bounds.width, bounds.height};
}

}  // namespace

void TfrmMain::LockPages() {
    if (lockDepth_++ > 0) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (QGroupBox* group : findChildren<QGroupBox*>()) {
        group->setEnabled(false);
    }
}

void TfrmMain::UnlockPages() {
    // An unlock inside a locked operation leaves the outer lock in force.
    if (lockDepth_ > 1) {
        --lockDepth_;
        return;
    }
    lockDepth_ = 0;
    for (QGroupBox* group : findChildren<QGroupBox*>()) {
        group->setEnabled(true);
    }
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
    if (cbUserName->count() == 0) {
        grpSelect->setEnabled(false);
    }
}

void TfrmMain::ShowPage(QPushButton* button) {
    LockPages();
    for (const auto& [kind, page] : pages_) page->restPage();
    closeAboutWindow();
    UnlockPages();

    pnlLowCenter->hide();
    grpNGBD->setGeometry(rectOf(kHeaderBounds));
    grpSelect->setGeometry(rectOf(kButtonBarBounds));
    grpSelectSkins->setGeometry(rectOf(kSkinListBounds));
    grpButtons->setGeometry(rectOf(kSaveExitBounds));

    for (const PageInfo& page : MainWindowPages()) {
        QPushButton* pageButtonOfRow = pageButton(page.button);
        EditorPage* shown = this->page(page.kind);
        if (pageButtonOfRow != button) {
            if (!shown->isHidden()) shown->leavePage();
            shown->hide();
            pageButtonOfRow->setEnabled(true);
            continue;
        }
        if (shown->isHidden()) {
            placePreview(page);
        }
        grpSelectSkins->setVisible(page.skinListShown);
        for (QGroupBox* box : shown->groups()) box->show();
        shown->show();
        pageButtonOfRow->setEnabled(false);
        if (page.content == PreviewContent::Normal || page.content == PreviewContent::ProfileAfterLogo) {
            UpdatePreview(page.content);
        }
    }

    grpButtons->hide();
    grpButtons->show();
}

void TfrmMain::placePreview(const PageInfo& page) {
    const Bounds& area = page.preview == PreviewSize::Small ? kSmallPreview : kLargePreview;
    img3DSim->hide();
    pnl3DSim->setGeometry(rectOf(area));
    img3DSim->setGeometry(0, 0, area.width, area.height);
    pnl3DSim->show();
    btnSave->setVisible(page.saveShown);
    switch (page.content) {
        case PreviewContent::SmallLogo:
        case PreviewContent::ProfileAfterLogo:
            showLogo(kSmallLogo);
            break;
        case PreviewContent::LargeLogo:
            showLogo(kLargeLogo);
            break;
        case PreviewContent::Normal:
        case PreviewContent::SetByPage:
            break;
    }
}

void TfrmMain::showLogo(std::string_view name) {
    if (f3DUIGL != nullptr) f3DUIGL->hide();
    img3DSim->setPixmap(QPixmap::fromImage(ArtworkByName(std::string(name))));
    img3DSim->show();
}

void TfrmMain::closeAboutWindow() {
    delete about_;
    about_ = nullptr;
}

}  // namespace corvane
