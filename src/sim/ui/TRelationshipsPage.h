#pragma once

#include "app/ui/EditorPage.h"
#include "sim/RelationshipEdits.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class TRelationshipCombo;
class TThinTrackbar;

// The Relationships page: how the current character feels about one other
// character (side 1) and how that character feels back (side 2), and the
// Set All tools for the character or the whole neighbourhood.
class TRelationshipsPage : public EditorPage {
    Q_OBJECT

public:
    TRelationshipsPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnRelationshipsClick.
    void showPage() override;
    void cbRelationShipsChange();

    TRelationshipCombo* cbRelationShips = nullptr;
    QLabel* lblSimLike = nullptr;
    QLabel* lblSim2Like = nullptr;
    TThinTrackbar* trkRelation = nullptr;
    TThinTrackbar* trkLifetime = nullptr;
    TThinTrackbar* trkRelation2 = nullptr;
    TThinTrackbar* trkLifetime2 = nullptr;
    TThinTrackbar* trkSetAll = nullptr;
    QCheckBox* ckCrush = nullptr;
    QCheckBox* ckLove = nullptr;
    QCheckBox* ckCrush2 = nullptr;
    QCheckBox* ckLove2 = nullptr;

private:
    struct Side {
        QFrame* panel;
        QLabel* daily;
        QLabel* lifetime;
        TThinTrackbar* dailySlider;
        TThinTrackbar* lifetimeSlider;
        QCheckBox* crush;
        QCheckBox* love;
        QLabel* crushLabel;
        QLabel* loveLabel;
    };

    void refresh() override;
    void fillSides();
    Side createSide(QGroupBox* box, int top, const QString& suffix);
    void createSetAll(QGroupBox* box);
    void sliderChange(const Side& side, RelationshipValue which, int position);
    void flagClick(const Side& side, bool crush, bool checked);
    void maxSide(const Side& side);
    void maxBoth();
    void setAll(bool wholeNeighbourhood, RelationshipValue which);
    void clearSide(const Side& side);
    void fillSide(const Side& side, const SimRelationShip* entry, bool crushAndLove);
    void refreshHearts();
    bool enabled() const;
    RelationshipSide sideOf(const Side& side) const;

    // The entry of side 1 and the other character.
    SimRelationShip* selectedEntry() const;
    Sim* otherCharacter() const;

    QGroupBox* group_;
    Side side1_{};
    Side side2_{};
};

}  // namespace corvane
