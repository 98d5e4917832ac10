#include "sim/ui/TRelationshipsPage.h"

#include "app/ui/GameText.h"
#include "app/ui/TThinTrackbar.h"
#include "platform/StyledMessageDlg.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "sim/ui/NeighbourEntryNotice.h"
#include "sim/ui/TRelationshipCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace corvane {

namespace {

constexpr int kSetAllStart = 80;
constexpr int kHeartImage = 2;

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

TThinTrackbar* relationSlider(QWidget* parent, const QString& name, QRect bounds) {
    auto* slider = named(new TThinTrackbar(parent), name);
    slider->setRange(-100, 100);
    slider->setTickInterval(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setGeometry(bounds);
    return slider;
}

QString valueLabel(int id, int value) {
    return QString::fromStdString(LangStr(id) + "(" + std::to_string(value) + ")");
}

}  // namespace

TRelationshipsPage::TRelationshipsPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent), group_(group("grpRelationships")) {
    cbRelationShips = named(new TRelationshipCombo(group_), "cbRelationShips");
    cbRelationShips->setGeometry(10, 16, 371, 28);
    connect(cbRelationShips, &QComboBox::currentIndexChanged, this, [this] { cbRelationShipsChange(); });
    side1_ = createSide(group_, 50, "");
    side2_ = createSide(group_, 210, "2");
    lblSimLike = named(new QLabel(side1_.panel), "lblSimLike");
    lblSim2Like = named(new QLabel(side2_.panel), "lblSim2Like");
    for (QLabel* caption : {lblSimLike, lblSim2Like}) caption->setGeometry(6, 2, 360, 18);
    trkRelation = side1_.dailySlider;
    trkLifetime = side1_.lifetimeSlider;
    trkRelation2 = side2_.dailySlider;
    trkLifetime2 = side2_.lifetimeSlider;
    ckCrush = side1_.crush;
    ckLove = side1_.love;
    ckCrush2 = side2_.crush;
    ckLove2 = side2_.love;
    auto* both = named(new QPushButton(group_), "btnMaxBothRelationships");
    both->setGeometry(10, 370, 371, 22);
    connect(both, &QPushButton::clicked, this, &TRelationshipsPage::maxBoth);
    createSetAll(group_);
}

TRelationshipsPage::Side TRelationshipsPage::createSide(QGroupBox* box, int top, const QString& suffix) {
    Side side{};
    side.panel = named(new QFrame(box), "pnlSimLike" + (suffix.isEmpty() ? QString("1") : suffix));
    side.panel->setGeometry(6, top, 379, 155);
    side.daily = named(new QLabel(side.panel), "lblDaily" + suffix);
    side.daily->setGeometry(6, 24, 200, 16);
    side.dailySlider = relationSlider(side.panel, "trkRelation" + suffix, QRect(4, 40, 370, 22));
    auto* lifetimePanel = named(new QFrame(side.panel), "pnlLifetime" + suffix);
    lifetimePanel->setGeometry(0, 64, 379, 44);
    side.lifetime = named(new QLabel(lifetimePanel), "lblLifetime" + suffix);
    side.lifetime->setGeometry(6, 0, 200, 16);
    side.lifetimeSlider = relationSlider(lifetimePanel, "trkLifetime" + suffix, QRect(4, 16, 370, 22));
    side.crush = named(new QCheckBox(side.panel), "ckCrush" + suffix);
    side.crush->setGeometry(6, 112, 18, 18);
    side.crushLabel = named(new QLabel(side.panel), "lblCrush" + suffix);
    side.crushLabel->setGeometry(26, 112, 90, 18);
    side.love = named(new QCheckBox(side.panel), "ckLove" + suffix);
    side.love->setGeometry(120, 112, 18, 18);
    side.loveLabel = named(new QLabel(side.panel), "lblLove" + suffix);
    side.loveLabel->setGeometry(140, 112, 90, 18);
    auto* max = named(new QPushButton(side.panel), suffix.isEmpty() ? QString("btnMaxRelationship")
                                                                    : QString("btnMaxRelationship2"));
    max->setGeometry(240, 110, 134, 22);

    const bool second = !suffix.isEmpty();
    auto sideOf = [this, second]() -> const Side& { return second ? side2_ : side1_; };
    connect(side.dailySlider, &QSlider::valueChanged, this,
            [this, sideOf](int v) { sliderChange(sideOf(), RelationshipValue::Daily, v); });
    connect(side.lifetimeSlider, &QSlider::valueChanged, this,
            [this, sideOf](int v) { sliderChange(sideOf(), RelationshipValue::Lifetime, v); });
    // One drag is one step of the undo history.
    for (TThinTrackbar* bar : {side.dailySlider, side.lifetimeSlider}) {
        connect(bar, &QSlider::sliderReleased, this, [this] { document().sealStep(); });
    }
    connect(side.crush, &QCheckBox::clicked, this, [this, sideOf](bool on) { flagClick(sideOf(), true, on); });
    connect(side.love, &QCheckBox::clicked, this, [this, sideOf](bool on) { flagClick(sideOf(), false, on); });
    connect(max, &QPushButton::clicked, this, [this, sideOf] { maxSide(sideOf()); });
    return side;
}

void TRelationshipsPage::createSetAll(QGroupBox* box) {
    auto* panel = named(new QFrame(box), "pnlSetAll");
    panel->setGeometry(6, 396, 379, 94);
    auto* value = named(new QLabel(panel), "lblSetAll");
    value->setGeometry(330, 4, 44, 18);
    trkSetAll = relationSlider(panel, "trkSetAll", QRect(4, 4, 320, 22));
    connect(trkSetAll, &QSlider::valueChanged, value, [value](int v) { value->setText(QString::number(v)); });
    struct Button { const char* name; bool neighbourhood; RelationshipValue which; QRect bounds; };
    for (const Button& b : {Button{"btnSetAllDailySim", false, RelationshipValue::Daily, {4, 32, 184, 22}},
                            Button{"btnSetAllLifetimeSim", false, RelationshipValue::Lifetime, {192, 32, 184, 22}},
                            Button{"btnSetAllDailyNGBD", true, RelationshipValue::Daily, {4, 60, 184, 22}},
                            Button{"btnSetAllLifetimeNGBD", true, RelationshipValue::Lifetime, {192, 60, 184, 22}}}) {
        auto* button = named(new QPushButton(panel), b.name);
        button->setGeometry(b.bounds);
        connect(button, &QPushButton::clicked, this, [this, b] { setAll(b.neighbourhood, b.which); });
    }
}

bool TRelationshipsPage::enabled() const {
    return storing(group_);
}

RelationshipSide TRelationshipsPage::sideOf(const Side& side) const {
    return &side == &side1_ ? RelationshipSide::Toward : RelationshipSide::Back;
}

SimRelationShip* TRelationshipsPage::selectedEntry() const {
    const int index = cbRelationShips->currentIndex();
    Sim* sim = current();
    if (sim == nullptr || index < 0) return nullptr;
    auto listed = ListedRelationships(*sim);
    return static_cast<std::size_t>(index) < listed.size() ? listed[static_cast<std::size_t>(index)] : nullptr;
}

Sim* TRelationshipsPage::otherCharacter() const {
    const SimRelationShip* entry = selectedEntry();
    return entry == nullptr ? nullptr : OtherCharacter(document().sims(), *entry);
}

void TRelationshipsPage::sliderChange(const Side& side, RelationshipValue which, int position) {
    const bool daily = which == RelationshipValue::Daily;
    (daily ? side.daily : side.lifetime)->setText(valueLabel(daily ? 6011 : 6020, position));
    SimRelationShip* entry = selectedEntry();
    if (!enabled() || entry == nullptr) return;
    SetRelationshipValue(document(), *current(), *entry, sideOf(side), which, position);
    const TThinTrackbar* moved = daily ? side.dailySlider : side.lifetimeSlider;
    if (!moved->isSliderDown()) document().sealStep();
}

void TRelationshipsPage::flagClick(const Side& side, bool crush, bool checked) {
    SimRelationShip* entry = selectedEntry();
    if (!enabled() || entry == nullptr) return;
    SetRelationshipFlag(document(), *current(), *entry, sideOf(side), crush, checked);
}

void TRelationshipsPage::maxSide(const Side& side) {
    SimRelationShip* entry = selectedEntry();
    if (!enabled() || entry == nullptr) return;
    MaxRelationship(document(), *current(), *entry, sideOf(side));
}

void TRelationshipsPage::maxBoth() {
    SimRelationShip* entry = selectedEntry();
    if (!enabled() || entry == nullptr) return;
    MaxBothRelationships(document(), *current(), *entry);
}

void TRelationshipsPage::clearSide(const Side& side) {
    side.crush->setChecked(false);
    side.love->setChecked(false);
    side.dailySlider->setValue(0);
    side.lifetimeSlider->setValue(0);
}

void TRelationshipsPage::fillSide(const Side& side, const SimRelationShip* entry, bool crushAndLove) {
    for (QWidget* widget : std::initializer_list<QWidget*>{side.crush, side.love, side.crushLabel, side.loveLabel}) {
        widget->setVisible(crushAndLove);
    }
    if (entry == nullptr) return;
    side.crush->setChecked(crushAndLove && entry->Crush == 1);
    side.love->setChecked(crushAndLove && entry->Love == 1);
    side.dailySlider->setValue(entry->Daily);
    side.lifetimeSlider->setValue(entry->Lifetime);
}

void TRelationshipsPage::refreshHearts() {
    const std::vector<QPixmap>& hearts = host().heartPictures();
    Sim* sim = current();
    if (sim == nullptr) return;
    if (hearts.size() > kHeartImage) cbRelationShips->setHeart(hearts[kHeartImage]);
    const auto listed = ListedRelationships(*sim);
    for (std::size_t i = 0; i < listed.size() && static_cast<int>(i) < cbRelationShips->count(); ++i) {
        const SimRelationShip& entry = *listed[i];
        const int count = OtherCharacter(document().sims(), entry) == nullptr ? 0
                          : entry.Love == 1                                   ? 2
                          : entry.Crush == 1                                  ? 1
                                                                              : 0;
        cbRelationShips->setHearts(static_cast<int>(i), count);
    }
}

void TRelationshipsPage::showPage() {
    Sim* sim = current();
    if (sim == nullptr) return;
    {
        const PageLock locked(host());
        lblSimLike->clear();
        lblSim2Like->clear();
        for (TThinTrackbar* slider : {trkRelation, trkLifetime, trkRelation2, trkLifetime2}) slider->setValue(0);
        trkSetAll->setValue(kSetAllStart);
        {
            const QSignalBlocker quiet(cbRelationShips);
            cbRelationShips->clear();
            for (const SimRelationShip* entry : ListedRelationships(*sim)) {
                cbRelationShips->addItem(GameText(entry->TargetFirstName + " " + entry->TargetLastName));
            }
            cbRelationShips->setCurrentIndex(cbRelationShips->count() > 0 ? 0 : -1);
        }
        refreshHearts();
        cbRelationShipsChange();
    }
    ShowNeighbourEntryNotice(group_, *sim);
    group_->setEnabled(!sim->Relationships.empty());
}

void TRelationshipsPage::refresh() {
    // Filled again without locking: a slider being dragged keeps its grip.
    fillSides();
    refreshHearts();
}

void TRelationshipsPage::cbRelationShipsChange() {
    {
        const PageLock locked(host());
        fillSides();
    }
}

void TRelationshipsPage::fillSides() {
    SimRelationShip* entry = selectedEntry();
    if (entry == nullptr) {
        clearSide(side1_);
        clearSide(side2_);
        return;
    }
    const Sim& sim = *current();
    Sim* other = otherCharacter();
    const bool shown = CrushAndLoveShown(sim, other, settings().ExpansionLevel);
    fillSide(side1_, entry, shown);
    lblSimLike->setText(QString::fromStdString(LangStr(6193) + " ") + GameText(sim.FirstName) +
                        QString::fromStdString(" " + LangStr(6194) + " ") + GameText(entry->TargetFirstName));
    lblSim2Like->setText(QString::fromStdString(LangStr(6193) + " ") + GameText(entry->TargetFirstName) +
                         QString::fromStdString(" " + LangStr(6194) + " ") + GameText(sim.FirstName));
    SimRelationShip* back = other == nullptr ? nullptr : other->relationshipTo(sim.NeighborID);
    if (back != nullptr) {
        fillSide(side2_, back, shown);
    } else {
        clearSide(side2_);
    }
}

void TRelationshipsPage::setAll(bool wholeNeighbourhood, RelationshipValue which) {
    Sim* sim = current();
    if (sim == nullptr || !enabled()) return;
    const int value = trkSetAll->value();
    if (StyledMessageDlg(dialogs(), LangStr(5022), SetAllQuestion(wholeNeighbourhood, which, value),
                         MsgKind::Confirmation, 0, mrOk, mbOKCancel) != mrOk) {
        return;
    }
    {
        const PageLock locked(host());
        SetAllRelationships(document(), *sim, wholeNeighbourhood, which, value);
    }
}

}  // namespace corvane
