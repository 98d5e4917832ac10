#pragma once

#include "skins/ui/TSkinPageBase.h"

class QLabel;

namespace corvane {

// One outfit page (everyday clothes, head, formal, fashion, winter, swim
// wear, pajamas, nude skin): the outfit's picture, and the selection panel
// listing the meshes and textures that fit the character.
class TSkinPage : public TSkinPageBase {
    Q_OBJECT

public:
    TSkinPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnNormalClick, btnHeadClick, btnFormalClick, ...: lists the slot anew.
    void showPage() override;

    SkinSlot slot() const { return slot_; }
    // imgBody, imgHead, imgFormal, ...
    QLabel* imgSlot = nullptr;

protected:
    std::optional<SkinSlot> panelSlot() const override { return slot_; }
    int slotPictureSize() const override { return 128; }
    void showSlotPicture(const QPixmap& picture) override;
    bool picturesFollowSlot() const override;

private:
    // Outfits the game gives adults only: a child's empty list says why.
    void tellChildOutfits();
    // Before sleepwear the game picks the pajamas by the body texture.
    void tellPajamaRule();

    SkinSlot slot_;
};

}  // namespace corvane
