#pragma once

#include "app/ui/EditorPage.h"
#include "skins/SlotPatterns.h"

#include <QPixmap>

#include <optional>
#include <string>

namespace corvane {

class SkinFolders;
class TSkinSelectPanel;

// What the skin pages share: they fill the shared selection panel for the
// slot on show, and dress that slot in the texture the user picks.
class TSkinPageBase : public EditorPage {
    Q_OBJECT

public:
    TSkinPageBase(const PageServices& services, const PageInfo& row, QWidget* parent);

    // Lists the textures of the chosen mesh, each with its picture, and
    // applies the one selected.
    void cbMeshChange();
    // Dresses the slot in the selected texture and its mesh.
    void lbTextureClick();
    // Move the chosen loose mesh or texture file to the Trash, after asking.
    void btnDeleteMeshClick();
    void btnDeleteTextureClick();

protected:
    // The slot the panel serves now; nothing while no hand is marked.
    virtual std::optional<SkinSlot> panelSlot() const = 0;
    // The slot's picture on the page: 128 pixels for outfits, 32 for hands.
    virtual int slotPictureSize() const = 0;
    virtual void showSlotPicture(const QPixmap& picture) = 0;
    // Whether a new texture of the slot renews the character's pictures at once.
    virtual bool picturesFollowSlot() const = 0;

    // Fills the panel for the slot from the current character: its meshes,
    // then the textures of the selected one.
    void listSlot();
    // A picture of a texture for the page: the placeholder when there is none.
    QPixmap texturePicture(const std::string& name, int size) const;
    TSkinSelectPanel& panel() const;
    SkinFolders skinFolders() const;
    SkinCodes skinCodes() const;

private:
    // An edit of another page, an undo or a redo: the panel shows the record anew.
    void refresh() override;
    void deleteSkinFile(const std::string& name, const char* extension);

    int dressing_ = 0;  // the page's own edit is running: the panel already shows it
};

}  // namespace corvane
