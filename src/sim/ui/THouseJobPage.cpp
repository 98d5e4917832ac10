#include "sim/ui/THouseJobPage.h"

#include "app/ui/GameText.h"
#include "app/ui/TThinTrackbar.h"
#include "platform/LanguageModule.h"
#include "sim/Traits.h"
#include "sim/ui/NeighbourEntryNotice.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvane {

namespace {

constexpr int kSchoolIcon = 11;
constexpr int kFameLevel = 5;  // fame exists above this expansion level

template <typename Widget>
Widget* named(Widget* widget, const char* name, QRect bounds) {
    widget->setObjectName(name);
    widget->setGeometry(bounds);
    return widget;
}

TThinTrackbar* slider(QWidget* parent, const char* name, QRect bounds, int maximum, int tick) {
    auto* bar = named(new TThinTrackbar(parent), name, bounds);
    bar->setRange(0, maximum);
    bar->setTickInterval(tick);
    bar->setTickPosition(QSlider::TicksBelow);
    return bar;
}

QString withValue(int id, const std::string& value, bool blank) {
    return QString::fromStdString(LangStr(id) + (blank ? " (" : "(") + value + ")");
}

QString fameLabel(int id, int value, bool stars, bool blank) {
    return withValue(id, stars ? Stars(value) + " Stars" : std::to_string(value), blank);
}

QString netWorth(const Sim& sim, const char* separator) {
    return QString::fromStdString(LangStr(6046) + separator + std::to_string(sim.FamilyCash + sim.FamilyAssets) + " " +
                                  LangStr(6005));
}

}  // namespace

THouseJobPage::THouseJobPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent), job_(group("grpJob")), house_(group("grpHouse")) {
    createJob(job_);
    createHouse(house_);
}

void THouseJobPage::createJob(QGroupBox* box) {
    pnlJobs_ = named(new QFrame(box), "pnlJobs", QRect(6, 14, 379, 96));
    cbCareer = named(new QComboBox(pnlJobs_), "cbCareer", QRect(4, 4, 70, 30));
    cbCareer->setIconSize(QSize(28, 22));
    cbJobs = named(new QComboBox(pnlJobs_), "cbJobs", QRect(80, 4, 294, 30));
    lblPerformance = named(new QLabel(pnlJobs_), "lblPerformance", QRect(4, 40, 250, 16));
    trkPerformance = slider(pnlJobs_, "trkPerformance", QRect(0, 56, 270, 24), 100, 10);
    btnMaxJob = named(new QPushButton(box), "btnMaxJob", QRect(280, 80, 100, 24));
    connect(cbCareer, &QComboBox::currentIndexChanged, this, &THouseJobPage::cbCareerChange);
    connect(cbJobs, &QComboBox::currentIndexChanged, this, &THouseJobPage::cbJobsChange);
    connect(trkPerformance, &QSlider::valueChanged, this, &THouseJobPage::trkPerformanceChange);
    connect(btnMaxJob, &QPushButton::clicked, this, &THouseJobPage::btnMaxJobClick);

    struct FameRow { const char* panel; const char* label; const char* slider; int maximum; int tick; };
    const FameRow rows[] = {{"pnlFameScore", "lblFameScore", "trkFameScore", 1000, 100},
                            {"pnlFamePower", "lblFamePower", "trkFamePower", 10, 1},
                            {"pnlFameWatermark", "lblFameWatermark", "trkFameWatermark", 10, 1}};
    std::vector<std::pair<QLabel*, TThinTrackbar*>> made;
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        auto* panel = named(new QFrame(box), rows[i].panel, QRect(6, 112 + static_cast<int>(i) * 42, 379, 42));
        famePanels_.push_back(panel);
        auto* label = named(new QLabel(panel), rows[i].label, QRect(4, 2, 300, 16));
        made.emplace_back(label, slider(panel, rows[i].slider, QRect(0, 18, 370, 22), rows[i].maximum, rows[i].tick));
    }
    std::tie(lblFameScore, trkFameScore) = made[0];
    std::tie(lblFamePower, trkFamePower) = made[1];
    std::tie(lblFameWatermark, trkFameWatermark) = made[2];
    for (TThinTrackbar* bar : {trkPerformance, trkFameScore, trkFamePower, trkFameWatermark}) {
        if (bar != trkPerformance) connect(bar, &QSlider::valueChanged, this, [this, bar] { fameMoved(bar); });
        // One drag is one step of the undo history.
        connect(bar, &QSlider::sliderReleased, this, [this] { document().sealStep(); });
    }
}

void THouseJobPage::createHouse(QGroupBox* box) {
    named(new QLabel(box), "lblSimoleans", QRect(10, 20, 100, 18));
    edtCash = named(new QLineEdit(box), "edtCash", QRect(110, 18, 120, 24));
    edtCash->setMaxLength(kCashDigits);
    connect(edtCash, &QLineEdit::textEdited, this, &THouseJobPage::edtCashChange);
    connect(edtCash, &QLineEdit::editingFinished, this, [this] { document().sealStep(); });
    lblNetWorth = named(new QLabel(box), "lblNetWorth", QRect(240, 14, 145, 34));
    lblNetWorth->setWordWrap(true);
    named(new QLabel(box), "lblFamLot", QRect(10, 56, 100, 18));
    cbFamilies = named(new QComboBox(box), "cbFamilies", QRect(110, 52, 275, 26));
    connect(cbFamilies, &QComboBox::activated, this, &THouseJobPage::cbFamiliesChange);

    auto* ghost = named(new QGroupBox(box), "grpGhost", QRect(6, 90, 379, 80));
    grpGhost_ = ghost;
    named(new QLabel(ghost), "lblGhost", QRect(8, 18, 100, 18));
    rbGhostYes = named(new QRadioButton(ghost), "rbGhostYes", QRect(110, 18, 20, 20));
    named(new QLabel(ghost), "lblGhostYes", QRect(132, 18, 60, 18));
    rbGhostNo = named(new QRadioButton(ghost), "rbGhostNo", QRect(200, 18, 20, 20));
    named(new QLabel(ghost), "lblGhostNo", QRect(222, 18, 60, 18));
    named(new QLabel(ghost), "lblHauntAddress", QRect(8, 48, 150, 18));
    cbHauntAddress = named(new QComboBox(ghost), "cbHauntAddress", QRect(160, 44, 90, 26));
    // The Part's handlers act on a change of the state: a click on the radio
    // already checked does nothing.
    connect(rbGhostYes, &QRadioButton::toggled, this, [this](bool on) { if (on) ghostClick(true); });
    connect(rbGhostNo, &QRadioButton::toggled, this, [this](bool on) { if (on) ghostClick(false); });
    connect(cbHauntAddress, &QComboBox::currentIndexChanged, this, &THouseJobPage::cbHauntAddressChange);
}

bool THouseJobPage::jobStoring() const {
    return storing(job_);
}

bool THouseJobPage::houseStoring() const {
    return storing(house_);
}

void THouseJobPage::showPage() {
    Sim* sim = current();
    if (sim == nullptr) return;
    {
        const PageLock locked(host());
        fill(*sim);
        showNetWorth(*sim);
        if (!IsPet(*sim) && settings().ExpansionLevel > kFameLevel && sim->Age == 27) {
            setFameLabels({sim->FameScore, sim->FameStarPower, sim->FameStarHighWatermark});
        }
    }
    ShowNeighbourEntryNotice(job_, *sim);
    // The ghost state lives in the character's neighbour entry too: without
    // one the save could store none of it. (Cash lives in the family record.)
    grpGhost_->setEnabled(sim->hasNeighbourEntry());
}

void THouseJobPage::refresh() {
    // Filled again without locking: a slider being dragged keeps its grip.
    fill(*current());
}

void THouseJobPage::fill(const Sim& sim) {
    fillFamilies(sim);
    const bool pet = IsPet(sim);
    pnlJobs_->setVisible(!pet);
    btnMaxJob->setVisible(!pet);
    for (QFrame* panel : famePanels_) panel->hide();
    if (!pet) {
        if (settings().ExpansionLevel > kFameLevel && sim.Age == 27) {
            showFame(sim);
        }
        fillCareers(sim);
        const int careerIndex = sim.Career == kSchoolCareer || sim.Career == 0 ? 0
                                : sim.Age == 9                                 ? sim.Career
                                                                               : IndexForCareer(sim.Career);
        {
            const QSignalBlocker quiet(cbCareer);
            cbCareer->setCurrentIndex(careerIndex < cbCareer->count() ? careerIndex : -1);
        }
        fillJobs(sim, careerIndex);
        lblPerformance->setText(withValue(6036, std::to_string(sim.JobPerformance), false));
        trkPerformance->setValue(sim.JobPerformance);
    }
    // Every value shown is the current character's, a pet's too.
    showCash(sim);
    showGhost(sim);
}

void THouseJobPage::fillFamilies(const Sim& sim) {
    const Document::Household* loaded = document().loadedHousehold(sim);
    const QSignalBlocker quiet(cbFamilies);
    cbFamilies->clear();
    for (const std::string& text : FamilyListTexts(sim, document().sims(), loaded ? loaded->lastName : sim.LastName,
                                                   loaded ? loaded->houseNumber : sim.HouseNumber)) {
        cbFamilies->addItem(GameText(text), QByteArray::fromStdString(text));
    }
    cbFamilies->setCurrentIndex(0);
    cbFamilies->setEnabled(!sim.LastNameChanged);
}

void THouseJobPage::fillCareers(const Sim& sim) {
    const QSignalBlocker quiet(cbCareer);
    cbCareer->clear();
    const int offered = OfferedCareers(sim.Age, settings().ExpansionLevel);
    for (int index = 0; index < offered; ++index) {
        const int icon = sim.Age < 10 ? kSchoolIcon : CareerForIndex(index) <= 21 ? index > 10 ? index + 1 : index : 0;
        const auto& icons = host().jobPictures();
        cbCareer->addItem(icon < static_cast<int>(icons.size()) ? QIcon(icons[static_cast<std::size_t>(icon)]) : QIcon(),
                          QString());
        cbCareer->setItemData(index, index);
    }
    if (sim.Age == 9) {
        for (QFrame* panel : famePanels_) panel->hide();
    }
}

void THouseJobPage::fillJobs(const Sim& sim, int careerIndex) {
    const QSignalBlocker quiet(cbJobs);
    cbJobs->clear();
    // Career 0 has its single title for adults and children alike.
    const bool noCareer = sim.Career == 0;
    const bool school = !noCareer && (sim.Career == kSchoolCareer || sim.Age < 10);
    const int career = school ? kSchoolCareer : noCareer ? 0 : CareerForIndex(careerIndex);
    for (int id : JobTitleIds(career, school)) {
        cbJobs->addItem(QString::fromStdString(LangStr(id)));
    }
    const bool schoolWithCareer = sim.Age == 9 && sim.Career != kSchoolCareer && sim.Career != 0;
    cbJobs->setCurrentIndex(noCareer || schoolWithCareer ? 0 : std::min(sim.JobLevel, cbJobs->count() - 1));
}

void THouseJobPage::cbCareerChange() {
    Sim* sim = current();
    if (sim == nullptr) return;
    const int index = cbCareer->currentIndex();
    const bool child = sim->Age < 10;
    {
        const QSignalBlocker quiet(cbJobs);
        cbJobs->clear();
        const int career = CareerForIndex(std::max(index, 0));
        for (int id : JobTitleIds(career, child)) {
            cbJobs->addItem(QString::fromStdString(LangStr(id)));
        }
        cbJobs->setCurrentIndex(index > 0 || child ? std::min(sim->JobLevel, cbJobs->count() - 1) : 0);
    }
    if (!jobStoring()) return;
    SetCareer(document(), *sim, CareerForIndex(std::max(index, 0)));
}

void THouseJobPage::cbJobsChange() {
    Sim* sim = current();
    if (sim == nullptr || !jobStoring()) return;
    SetJobLevel(document(), *sim, std::max(cbJobs->currentIndex(), 0));
}

void THouseJobPage::trkPerformanceChange(int value) {
    lblPerformance->setText(withValue(6036, std::to_string(value), false));
    Sim* sim = current();
    if (sim == nullptr || !jobStoring()) return;
    SetJobPerformance(document(), *sim, value);
    if (!trkPerformance->isSliderDown()) document().sealStep();
}

void THouseJobPage::btnMaxJobClick() {
    Sim* sim = current();
    if (sim == nullptr || !jobStoring()) return;
    MaximizeJob(document(), *sim);
}

void THouseJobPage::showFame(const Sim& sim) {
    for (QFrame* panel : famePanels_) panel->show();
    trkFameScore->setValue(sim.FameScore);
    trkFamePower->setValue(sim.FameStarPower);
    trkFameWatermark->setValue(sim.FameStarHighWatermark);
}

void THouseJobPage::setFameLabels(const Fame& fame) {
    // As the page first shows them, score and power have no blank before "(".
    lblFameScore->setText(fameLabel(6195, fame.score, false, false));
    lblFamePower->setText(fameLabel(6196, fame.power, true, false));
    lblFameWatermark->setText(fameLabel(6197, fame.watermark, true, true));
}

void THouseJobPage::fameMoved(TThinTrackbar* moved) {
    // A moved slider rewrites its own label only; the sliders it pulls along
    // rewrite theirs as they move.
    if (moved == trkFameScore) lblFameScore->setText(fameLabel(6195, moved->value(), false, true));
    if (moved == trkFamePower) lblFamePower->setText(fameLabel(6196, moved->value(), true, true));
    if (moved == trkFameWatermark) lblFameWatermark->setText(fameLabel(6197, moved->value(), true, true));
    Sim* sim = current();
    if (sim == nullptr || !jobStoring()) return;
    const FameSlider which = moved == trkFameScore ? FameSlider::Score
                             : moved == trkFamePower ? FameSlider::Power
                                                     : FameSlider::Watermark;
    SetFame(document(), *sim, which, moved->value());
    if (!moved->isSliderDown()) document().sealStep();
}

void THouseJobPage::showCash(const Sim& sim) {
    if (sim.HouseNumber != 0) {
        // A box that already says the value (as typed, "0120" for 120) is left
        // alone, caret and all; another value (an undo) is shown anew.
        if (edtCash->text().isEmpty() != (sim.FamilyCash == 0) ||
            CashValue(edtCash->text().toStdString()) != sim.FamilyCash) {
            edtCash->setText(QString::number(sim.FamilyCash));
            lblNetWorth->setText(netWorth(sim, " "));
        }
        edtCash->setEnabled(!sim.FamilyChanged);
    } else {
        edtCash->clear();
        edtCash->setEnabled(false);
        lblNetWorth->clear();
    }
}

void THouseJobPage::showNetWorth(const Sim& sim) {
    if (sim.HouseNumber != 0) lblNetWorth->setText(netWorth(sim, " "));
}

void THouseJobPage::edtCashChange() {
    Sim* sim = current();
    if (sim == nullptr || !houseStoring() || sim->HouseNumber == 0) return;
    const int caret = edtCash->cursorPosition();
    const QString digits = QString::fromStdString(FilterCash(edtCash->text().toStdString()));
    if (digits != edtCash->text()) {
        edtCash->setText(digits);
        edtCash->setCursorPosition(std::min(caret, static_cast<int>(digits.size())));
    }
    SetFamilyCash(document(), *sim, CashValue(digits.toStdString()));
    lblNetWorth->setText(netWorth(*sim, "\n"));
}

void THouseJobPage::showGhost(const Sim& sim) {
    const QSignalBlocker quietList(cbHauntAddress);
    const QSignalBlocker quietYes(rbGhostYes);
    const QSignalBlocker quietNo(rbGhostNo);
    cbHauntAddress->setCurrentIndex(cbHauntAddress->findText(QString::number(sim.HauntAddress)));
    (sim.Ghost != 0 ? rbGhostYes : rbGhostNo)->setChecked(true);
    cbHauntAddress->setEnabled(sim.Ghost != 0);
}

void THouseJobPage::ghostClick(bool ghost) {
    Sim* sim = current();
    if (sim == nullptr || !storing(grpGhost_)) return;
    // The page shows the haunted house again from the record (showGhost).
    SetGhost(document(), *sim, ghost);
}

void THouseJobPage::cbHauntAddressChange() {
    Sim* sim = current();
    if (sim == nullptr || !storing(grpGhost_) || !cbHauntAddress->isEnabled() || cbHauntAddress->currentIndex() < 0) return;
    SetHauntAddress(document(), *sim, cbHauntAddress->currentText().toInt());
}

void THouseJobPage::cbFamiliesChange() {
    Sim* sim = current();
    const int index = cbFamilies->currentIndex();
    if (sim == nullptr || index <= 0 || !houseStoring()) return;
    const std::string wanted = cbFamilies->itemData(index).toByteArray().toStdString();
    const auto household = ParseFamilyText(wanted);
    if (!household) return;
    MoveToHousehold(document(), *sim, household->first, household->second);
}

}  // namespace corvane
