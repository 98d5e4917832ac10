#include "skins/ui/THandsPage.h"

#include "sim/SkinEdits.h"
#include "skins/ui/TSkinSelectPanel.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace corvane {

namespace {

struct HandPicture {
    SkinSlot slot;
    const char* panel;
    const char* picture;
    const char* marker;
    const char* hint;
};

constexpr HandPicture kHandPictures[8] = {
    {SkinSlot::FormalHandLeft, "pnlFormalLHand", "imgFormalLHand", "bvFormalLHand", "Left Formal Hand"},
    {SkinSlot::FormalHandRight, "pnlFormalRHand", "imgFormalRHand", "bvFormalRHand", "Right Formal Hand"},
    {SkinSlot::OpenHandLeft, "pnlOpenLHand", "imgOpenLHand", "bvOpenLHand", "Left Open Hand"},
    {SkinSlot::OpenHandRight, "pnlOpenRHand", "imgOpenRHand", "bvOpenRHand", "Right Open Hand"},
    {SkinSlot::PointingHandLeft, "pnlPointingLHand", "imgPointingLHand", "bvPointingLHand", "Left Pointing Hand"},
    {SkinSlot::PointingHandRight, "pnlPointingRHand", "imgPointingRHand", "bvPointingRHand", "Right Pointing Hand"},
    {SkinSlot::ClosedHandLeft, "pnlCloseLHand", "imgCloseLHand", "bvCloseLHand", "Left Closed Hand"},
    {SkinSlot::ClosedHandRight, "pnlCloseRHand", "imgCloseRHand", "bvCloseRHand", "Right Closed Hand"},
};

constexpr int kHandSize = 32;
constexpr int kRowHeight = 46;
constexpr int kFirstRowTop = 14;

QLabel* rowLabel(QGroupBox* box, const char* name, const char* caption, int row) {
    auto* label = new QLabel(caption, box);
    label->setObjectName(name);
    label->setGeometry(8, kFirstRowTop + row * kRowHeight + 10, 70, 16);
    return label;
}

}  // namespace

THandsPage::THandsPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : TSkinPageBase(services, row, parent) {
    QGroupBox* box = groups().front();
    lblFormalHand = rowLabel(box, "lblFormalHand", "Formal", 0);
    lblOpenHand = rowLabel(box, "lblOpenHand", "Open", 1);
    lblPointingHand = rowLabel(box, "lblPointingHand", "Pointing", 2);
    lblCloseHand = rowLabel(box, "lblCloseHand", "Closed", 3);
    for (std::size_t i = 0; i < hands.size(); ++i) {
        const HandPicture& made = kHandPictures[i];
        const int left = i % 2 == 0 ? 84 : 140;
        const int top = kFirstRowTop + static_cast<int>(i / 2) * kRowHeight;
        Hand& hand = hands[i];
        hand.slot = made.slot;
        hand.panel = new QFrame(box);
        hand.panel->setObjectName(made.panel);
        hand.panel->setFrameShape(QFrame::Panel);
        hand.panel->setFrameShadow(QFrame::Sunken);
        hand.panel->setGeometry(left, top, kHandSize + 4, kHandSize + 4);
        hand.picture = new QLabel(hand.panel);
        hand.picture->setObjectName(made.picture);
        hand.picture->setGeometry(2, 2, kHandSize, kHandSize);
        hand.picture->setAlignment(Qt::AlignCenter);
        hand.picture->setToolTip(made.hint);
        hand.picture->installEventFilter(this);
        hand.marker = new QLabel(i % 2 == 0 ? "Left" : "Right", box);
        hand.marker->setObjectName(made.marker);
        hand.marker->setAlignment(Qt::AlignCenter);
        hand.marker->setFrameShape(QFrame::Panel);
        hand.marker->setGeometry(left - 4, top + kHandSize + 4, kHandSize + 12, 10);
        QFont small = hand.marker->font();
        small.setPixelSize(9);
        hand.marker->setFont(small);
        hand.marker->hide();
    }
}

bool THandsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (std::size_t i = 0; i < hands.size(); ++i) {
            if (watched == hands[i].picture) {
                handClick(i);
                return true;
            }
        }
    }
    return TSkinPageBase::eventFilter(watched, event);
}

void THandsPage::restPage() {
    for (Hand& hand : hands) hand.marker->hide();
}

void THandsPage::showFormalRow(bool shown) {
    for (QWidget* widget : {static_cast<QWidget*>(hands[0].panel), static_cast<QWidget*>(hands[1].panel),
                            static_cast<QWidget*>(lblFormalHand)}) {
        widget->setVisible(shown);
    }
    if (!shown) {
        hands[0].marker->hide();
        hands[1].marker->hide();
    }
}

void THandsPage::showPage() {
    if (current() == nullptr) return;
    {
        PageLock lock(host());
        if (!host().LoadSkinData()) return;
        panel().show();
        const Sim& sim = *current();
        // The formal hands went with the formal outfits' own hands from the third pack on.
        const bool formalRow = settings().ExpansionLevel < 3;
        showFormalRow(formalRow);
        for (std::size_t i = formalRow ? 0 : 2; i < hands.size(); ++i) {
            ShowHandPicture(sim.*FieldsOfSlot(hands[i].slot).texture, hands[i].picture);
        }
    }
    imgOpenLHandClick();
}

void THandsPage::ShowHandPicture(const std::string& texture, QLabel* picture) {
    picture->setPixmap(texturePicture(texture, kHandSize));
    picture->show();
}

void THandsPage::handClick(std::size_t index) {
    if (current() == nullptr || index >= hands.size()) return;
    PageLock lock(host());
    panel().show();
    for (std::size_t i = 0; i < hands.size(); ++i) hands[i].marker->setVisible(i == index);
    listSlot();
}

const THandsPage::Hand* THandsPage::markedHand() const {
    for (const Hand& hand : hands) {
        if (!hand.marker->isHidden()) return &hand;
    }
    return nullptr;
}

std::optional<SkinSlot> THandsPage::panelSlot() const {
    const Hand* marked = markedHand();
    return marked != nullptr ? std::optional(marked->slot) : std::nullopt;
}

void THandsPage::showSlotPicture(const QPixmap& picture) {
    if (const Hand* marked = markedHand()) marked->picture->setPixmap(picture);
}

HandMarkers THandsPage::handMarkers() const {
    HandMarkers markers;
    const Hand* marked = markedHand();
    const auto isMarked = [&](std::size_t first) {
        return marked == &hands[first] || marked == &hands[first + 1];
    };
    markers.formal = isMarked(0);
    markers.open = marked == nullptr || isMarked(2);
    markers.pointing = isMarked(4);
    markers.closed = isMarked(6);
    return markers;
}

}  // namespace corvane
