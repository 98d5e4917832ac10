#pragma once

#include "skins/ui/TSkinPageBase.h"

#include <array>

class QFrame;
class QLabel;

namespace corvane {

// The hands page: the eight hands (formal, open, pointing and closed, left
// and right) with their pictures. A click on a hand marks it and lists its
// meshes and textures in the selection panel.
class THandsPage : public TSkinPageBase {
    Q_OBJECT

public:
    THandsPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnHandsClick: draws the hands, then marks the left open hand.
    void showPage() override;
    void restPage() override;
    HandMarkers handMarkers() const override;

    void imgFormalLHandClick() { handClick(0); }
    void imgFormalRHandClick() { handClick(1); }
    void imgOpenLHandClick() { handClick(2); }
    void imgOpenRHandClick() { handClick(3); }
    void imgPointingLHandClick() { handClick(4); }
    void imgPointingRHandClick() { handClick(5); }
    void imgCloseLHandClick() { handClick(6); }
    void imgCloseRHandClick() { handClick(7); }

    // Puts a 32-pixel picture of a hand texture into one hand's picture.
    void ShowHandPicture(const std::string& texture, QLabel* picture);

    struct Hand {
        SkinSlot slot;
        QFrame* panel = nullptr;   // pnlFormalLHand, ...
        QLabel* picture = nullptr; // imgFormalLHand, ...
        QLabel* marker = nullptr;  // bvFormalLHand, ...: shown for the marked hand only
    };
    // Formal, open, pointing, closed; left before right.
    std::array<Hand, 8> hands;
    QLabel* lblFormalHand = nullptr;
    QLabel* lblOpenHand = nullptr;
    QLabel* lblPointingHand = nullptr;
    QLabel* lblCloseHand = nullptr;

protected:
    std::optional<SkinSlot> panelSlot() const override;
    int slotPictureSize() const override { return 32; }
    void showSlotPicture(const QPixmap& picture) override;
    bool picturesFollowSlot() const override { return false; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void handClick(std::size_t index);
    const Hand* markedHand() const;
    void showFormalRow(bool shown);
};

}  // namespace corvane
