#include "skins/ui/TSkinPageBase.h"

#include "app/ui/BitmapImage.h"
#include "app/ui/ReportFailure.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/Trash.h"
#include "render/MakeThumb.h"
#include "render/TexturePictures.h"
#include "sim/SkinEdits.h"
#include "sim/Traits.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinListing.h"
#include "skins/ui/TSkinSelectPanel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

namespace corvane {

TSkinPageBase::TSkinPageBase(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    TSkinSelectPanel& shared = host().skinPanel();
    connect(&shared, &TSkinSelectPanel::meshChanged, this, [this] {
        if (panel().ownedBy(this)) ReportFailure(dialogs(), [&] { cbMeshChange(); });
    });
    connect(&shared, &TSkinSelectPanel::textureClicked, this, [this] {
        if (panel().ownedBy(this)) ReportFailure(dialogs(), [&] { lbTextureClick(); });
    });
    connect(&shared, &TSkinSelectPanel::deleteMeshClicked, this, [this] {
        if (panel().ownedBy(this)) btnDeleteMeshClick();
    });
    connect(&shared, &TSkinSelectPanel::deleteTextureClicked, this, [this] {
        if (panel().ownedBy(this)) btnDeleteTextureClick();
    });
}

TSkinSelectPanel& TSkinPageBase::panel() const {
    return host().skinPanel();
}

SkinFolders TSkinPageBase::skinFolders() const {
    return SkinFolders(settings().GamePath, settings().ExpansionLevel);
}

SkinCodes TSkinPageBase::skinCodes() const {
    return SkinCodesOf(*current(), settings().ExpansionLevel);
}

QPixmap TSkinPageBase::texturePicture(const std::string& name, int size) const {
    const SkinFolders folders = skinFolders();
    if (const std::optional<Bitmap> picture = TexturePicture(folders, GameSkinCatalogue(), name, size)) {
        return QPixmap::fromImage(ImageOfBitmap(*picture));
    }
    return host().missingPicture().scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void TSkinPageBase::listSlot() {
    const std::optional<SkinSlot> slot = panelSlot();
    if (!slot || current() == nullptr) return;
    panel().setOwner(this);
    const SkinFolders folders = skinFolders();
    const SkinSources sources{folders, GameSkinCatalogue()};
    const SlotFields fields = FieldsOfSlot(*slot);
    // The hands page checks only the four letters the hand masks share.
    const int positions = kind() == PageKind::Hands ? 4 : 6;
    const SkinList meshes = FillMeshList(sources, current()->*fields.mesh + ".cmx", MeshMask(*slot, skinCodes()),
                                         positions, document().random(), &dialogs());
    panel().clearLists();
    panel().showMeshes(meshes.entries, meshes.selected);
    cbMeshChange();
}

void TSkinPageBase::cbMeshChange() {
    const std::optional<SkinSlot> slot = panelSlot();
    if (!slot || current() == nullptr) return;
    const Sim& sim = *current();
    const SkinFolders folders = skinFolders();
    const SkinSources sources{folders, GameSkinCatalogue()};
    const SlotFields fields = FieldsOfSlot(*slot);
    {
        PageLock lock(host());
        const SkinList textures = PageTextureList(sources, *slot, skinCodes(), panel().meshText(), sim.*fields.texture,
                                                  {sim.Gender, SkinToneFor(sim.SkinColor)});
        const QPixmap placeholder =
            host().missingPicture().scaled(kListPictureSize, kListPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        panel().showTextures(textures.entries,
                             ListPictures(TexturePictures(folders, GameSkinCatalogue(), textures.entries, kListPictureSize),
                                          placeholder),
                             textures.selected);
        QCoreApplication::processEvents();
        lbTextureClick();
        panel().lbTexture->viewport()->update();
    }
    panel().cbMesh->setToolTip(panel().cbMesh->currentText());
    panel().btnDeleteMesh->setEnabled(panel().textureCount() == 0 && !panel().meshText().empty() &&
                                      !folders.FindSkinFile(panel().meshText(), ".cmx").empty());
}

void TSkinPageBase::lbTextureClick() {
    const std::optional<SkinSlot> slot = panelSlot();
    Sim* sim = current();
    const std::string texture = panel().selectedTexture();
    if (slot && sim != nullptr && !texture.empty()) {
        PageLock lock(host());
        const SkinFolders folders = skinFolders();
        const TexturePictureSource source = FindTexturePictureSource(folders, GameSkinCatalogue(), texture);
        std::optional<Bitmap> picture;
        if (!source.looseFile.empty()) {
            // A loose file that cannot be shown is damaged: the character is not dressed in it, and
            // the message names the file and what is wrong with it.
            ReportFailure(dialogs(), [&] {
                Bitmap made;
                ThumbnailFromFile(source.looseFile, made, slotPictureSize());
                picture = std::move(made);
            });
        } else if (source.archiveEntry != nullptr) {
            picture = TexturePicture(folders, GameSkinCatalogue(), texture, slotPictureSize());
        }
        if (picture) {
            {
                const QScopedValueRollback ownEdit(dressing_, dressing_ + 1);
                DressSlot(document(), *sim, *slot, {panel().meshText(), texture, !source.looseFile.empty()});
            }
            showSlotPicture(QPixmap::fromImage(ImageOfBitmap(*picture)));
        }
        panel().lbTexture->setToolTip(QString::fromStdString(texture));
        panel().btnDeleteTexture->setEnabled(!source.looseFile.empty());
    } else {
        panel().btnDeleteTexture->setEnabled(false);
    }
    host().RefreshPreview();
    // With nothing selected, nothing but the preview changes.
    if (!texture.empty() && sim != nullptr && sim->ResetThumbnail && picturesFollowSlot()) host().MakeCharacterImages();
}

void TSkinPageBase::refresh() {
    if (dressing_ == 0) listSlot();
}

void TSkinPageBase::btnDeleteMeshClick() {
    ReportFailure(dialogs(), [&] { deleteSkinFile(panel().meshText(), ".cmx"); });
}

void TSkinPageBase::btnDeleteTextureClick() {
    ReportFailure(dialogs(), [&] { deleteSkinFile(panel().selectedTexture(), ".bmp"); });
}

void TSkinPageBase::deleteSkinFile(const std::string& name, const char* extension) {
    if (name.empty()) return;
    const std::filesystem::path file = skinFolders().FindSkinFile(name, extension);
    if (file.empty()) return;
    const std::string question = LangStr(8077) + "\r\n\"" + file.string() + "\"\r\n" + LangStr(8078) + "\r\n";
    if (StyledMessageDlg(dialogs(), LangStr(5022), question, MsgKind::None, 0, mrNo, mbYesNo) != mrYes) return;
    MoveToTrash(file);
    const bool mesh = std::string_view(extension) == ".cmx";
    if (mesh) {
        panel().cbMesh->blockSignals(true);
        panel().cbMesh->removeItem(panel().cbMesh->currentIndex());
        panel().cbMesh->setCurrentIndex(panel().cbMesh->count() > 0 ? 0 : -1);
        panel().cbMesh->blockSignals(false);
    } else {
        // Taking the row out moves the selection; that is no pick of the user's.
        panel().lbTexture->blockSignals(true);
        delete panel().lbTexture->takeItem(panel().lbTexture->currentRow());
        panel().lbTexture->blockSignals(false);
        if (panel().textureCount() == 0 && panel().cbMesh->count() > 0) {
            panel().cbMesh->blockSignals(true);
            panel().cbMesh->setCurrentIndex(0);
            panel().cbMesh->blockSignals(false);
        }
    }
    cbMeshChange();
    const std::string told = LangStr(7164) + " \"" + LangStr(5044) + "\" && \"" + LangStr(5056) + "\" " + LangStr(7165);
    StyledMessageDlg(dialogs(), LangStr(5022), told, MsgKind::None, 0, mrOk, mbOK);
}

}  // namespace corvane
