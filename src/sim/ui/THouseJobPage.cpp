#include "sim/ui/THouseJobPage.h"

#include "app/Settings.h"
#include "app/ui/TThinTrackbar.h"
#include "app/ui/GameText.h"
#include "app/ui/TfrmMain.h"
#include "platform/CodePage.h"
#include "platform/LanguageModule.h"
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

std::string withValue(int id, const std::string& value, bool blank) {
    return LangStr(id) + (blank ? " (" : "(") + value + ")";
}

}  // namespace

THouseJobPage::THouseJobPage(TfrmMain& window)
    : QObject(&window), window_(window), job_(window.pageGroup("grpJob")), house_(window.pageGroup("grpHouse")) {
    createJob(job_);
    createHouse(house_);
    connect(window.pageButton("btnHouseJob"), &QPushButton::clicked, this, &THouseJobPage::btnHouseJobClick);
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
    connect(trkPerformance, &QSlider::valueChanged, this, &THouseJobPage::performanceChange);
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
    for (TThinTrackbar* bar : {trkFameScore, trkFamePower, trkFameWatermark}) {
        connect(bar, &QSlider::valueChanged, this, [this, bar] { fameMoved(bar); });
    }
}

void THouseJobPage::createHouse(QGroupBox* box) {
    named(new QLabel(box), "lblSimoleans", QRect(10, 20, 100, 18));
    edtCash = named(new QLineEdit(box), "edtCash", QRect(110, 18, 120, 24));
    edtCash->setMaxLength(8);
    connect(edtCash, &QLineEdit::textEdited, this, &THouseJobPage::edtCashChange);
    lblNetWorth = named(new QLabel(box), "lblNetWorth", QRect(240, 14, 145, 34));
    lblNetWorth->setWordWrap(true);
    named(new QLabel(box), "lblFamLot", QRect(10, 56, 100, 18));
    cbFamilies = named(new QComboBox(box), "cbFamilies", QRect(110, 52, 275, 26));
    connect(cbFamilies, &QComboBox::activated, this, &THouseJobPage::cbFamiliesChange);

    auto* ghost = named(new QGroupBox(box), "grpGhost", QRect(6, 90, 379, 80));
    named(new QLabel(ghost), "lblGhost", QRect(8, 18, 100, 18));
    rbGhostYes = named(new QRadioButton(ghost), "rbGhostYes", QRect(110, 18, 20, 20));
    named(new QLabel(ghost), "lblGhostYes", QRect(132, 18, 60, 18));
    rbGhostNo = named(new QRadioButton(ghost), "rbGhostNo", QRect(200, 18, 20, 20));
    named(new QLabel(ghost), "lblGhostNo", QRect(222, 18, 60, 18));
    named(new QLabel(ghost), "lblHauntAddress", QRect(8, 48, 150, 18));
    haunt_ = window_.cbHauntAddress;
    haunt_->setParent(ghost);
    haunt_->setGeometry(160, 44, 90, 26);
    haunt_->show();
    connect(rbGhostYes, &QRadioButton::clicked, this, [this] { ghostClick(true); });
    connect(rbGhostNo, &QRadioButton::clicked, this, [this] { ghostClick(false); });
    connect(haunt_, &QComboBox::currentIndexChanged, this, &THouseJobPage::hauntAddressChange);
}

bool THouseJobPage::jobEnabled() const {
    return job_->isEnabled();
}

bool THouseJobPage::houseEnabled() const {
    return house_->isEnabled();
}

void THouseJobPage::changed(Sim& sim) {
    sim.Modified = true;
    window_.btnSave->setEnabled(true);
}

void THouseJobPage::btnHouseJobClick() {
    Sim* sim = CurrentSim();
    if (sim == nullptr) return;
    window_.LockPages();
    cbJobs->clear();
    cbCareer->clear();
    cbFamilies->clear();
    for (const std::string& text : FamilyListTexts(*sim, window_.characters().sims())) {
        cbFamilies->addItem(GameText(text));
    }
    cbFamilies->setCurrentIndex(0);
    cbFamilies->setEnabled(!sim->LastNameChanged);
    const bool pet = sim->AgeGroup != "adult" && sim->AgeGroup != "child";
    pnlJobs_->setVisible(!pet);
    btnMaxJob->setVisible(!pet);
    for (QFrame* panel : famePanels_) panel->hide();
    if (!pet) {
        if (AppSettings().ExpansionLevel > kFameLevel && sim->Age == 27) {
            showFame(*sim);
        }
        fillCareers(*sim);
        const int careerIndex = sim->Career == kSchoolCareer || sim->Career == 0 ? 0
                                : sim->Age == 9                                  ? sim->Career
                                                                                 : IndexForCareer(sim->Career);
        cbCareer->setCurrentIndex(careerIndex < cbCareer->count() ? careerIndex : -1);
        fillJobs(*sim, careerIndex);
        lblPerformance->setText(QString::fromStdString(withValue(6036, std::to_string(sim->JobPerformance), false)));
        trkPerformance->setValue(sim->JobPerformance);
        showCash(*sim);
        showGhost(*sim);
    }
    window_.UnlockPages();
    ShowNeighbourEntryNotice(job_, *sim);
}

void THouseJobPage::fillCareers(const Sim& sim) {
    const QSignalBlocker quiet(cbCareer);
    const int offered = OfferedCareers(sim.Age, AppSettings().ExpansionLevel);
    for (int index = 0; index < offered; ++index) {
        const int icon = sim.Age < 10 ? kSchoolIcon : CareerForIndex(index) <= 21 ? index > 10 ? index + 1 : index : 0;
        const auto& icons = window_.imgListJobs;
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
    const bool school = sim.Career == kSchoolCareer || sim.Age < 10;
    const int career = school ? kSchoolCareer : CareerForIndex(careerIndex);
    for (int id : JobTitleIds(career, school)) {
        cbJobs->addItem(QString::fromStdString(LangStr(id)));
    }
    const bool noCareer = !school && career == 0;
    const bool schoolWithCareer = sim.Age == 9 && sim.Career != kSchoolCareer && sim.Career != 0;
    cbJobs->setCurrentIndex(noCareer || schoolWithCareer ? 0 : std::min(sim.JobLevel, cbJobs->count() - 1));
}

void THouseJobPage::cbCareerChange() {
    Sim* sim = CurrentSim();
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
    if (!jobEnabled()) return;
    if (child) {
        sim->Career = kSchoolCareer;
    } else {
        sim->Career = CareerForIndex(std::max(index, 0));
        if (sim->Career == 0) {
            sim->JobLevel = 0;
        }
    }
    changed(*sim);
}

void THouseJobPage::cbJobsChange() {
    Sim* sim = CurrentSim();
    if (sim == nullptr || !jobEnabled()) return;
    sim->JobLevel = std::max(cbJobs->currentIndex(), 0);
    changed(*sim);
}

void THouseJobPage::performanceChange(int value) {
    lblPerformance->setText(QString::fromStdString(withValue(6036, std::to_string(value), false)));
    Sim* sim = CurrentSim();
    if (sim == nullptr || !jobEnabled()) return;
    sim->JobPerformance = value;
    changed(*sim);
}

void THouseJobPage::btnMaxJobClick() {
    Sim* sim = CurrentSim();
    if (sim == nullptr) return;
    const int index = sim->AgeGroup == "child" ? 0 : cbJobs->count() - 1;
    if (cbJobs->currentIndex() == index) {
        cbJobsChange();
    }
    cbJobs->setCurrentIndex(index);
    trkPerformance->setValue(100);
}

void THouseJobPage::showFame(const Sim& sim) {
    for (QFrame* panel : famePanels_) panel->show();
    trkFameScore->setValue(sim.FameScore);
    trkFamePower->setValue(sim.FameStarPower);
    trkFameWatermark->setValue(sim.FameStarHighWatermark);
    setFameLabels({sim.FameScore, sim.FameStarPower, sim.FameStarHighWatermark}, true);
}

void THouseJobPage::setFameLabels(const Fame& fame, bool onDisplay) {
    // As the page first shows them, score and power have no blank before "(".
    lblFameScore->setText(QString::fromStdString(withValue(6195, std::to_string(fame.score), !onDisplay)));
    lblFamePower->setText(QString::fromStdString(withValue(6196, Stars(fame.power) + " Stars", !onDisplay)));
    lblFameWatermark->setText(QString::fromStdString(withValue(6197, Stars(fame.watermark) + " Stars", true)));
}

void THouseJobPage::fameMoved(TThinTrackbar* moved) {
    const Fame now{trkFameScore->value(), trkFamePower->value(), trkFameWatermark->value()};
    const Fame wanted = moved == trkFamePower       ? AfterPowerMoved(now)
                        : moved == trkFameWatermark ? AfterWatermarkMoved(now)
                                                    : AfterScoreMoved(now);
    setFameLabels(now, false);
    Sim* sim = CurrentSim();
    if (sim != nullptr && jobEnabled()) {
        (moved == trkFameScore ? sim->FameScore : moved == trkFamePower ? sim->FameStarPower : sim->FameStarHighWatermark) =
            moved->value();
        changed(*sim);
    }
    // The coupled sliders follow and store through their own handlers.
    trkFameScore->setValue(wanted.score);
    trkFamePower->setValue(wanted.power);
    trkFameWatermark->setValue(wanted.watermark);
}

void THouseJobPage::showCash(const Sim& sim) {
    if (sim.HouseNumber != 0) {
        edtCash->setText(QString::number(sim.FamilyCash));
        edtCash->setEnabled(true);
        lblNetWorth->setText(QString::fromStdString(LangStr(6046) + " " + std::to_string(sim.FamilyCash + sim.FamilyAssets) +
                                                    " " + LangStr(6005)));
    } else {
        edtCash->clear();
        edtCash->setEnabled(false);
        lblNetWorth->clear();
    }
}

void THouseJobPage::edtCashChange() {
    Sim* sim = CurrentSim();
    if (sim == nullptr || !houseEnabled() || sim->HouseNumber == 0) return;
    const int caret = edtCash->cursorPosition();
    const std::string digits = FilterCash(edtCash->text().toStdString());
    edtCash->setText(QString::fromStdString(digits));
    edtCash->setCursorPosition(caret);
    sim->FamilyCash = CashValue(digits);
    changed(*sim);
    lblNetWorth->setText(QString::fromStdString(LangStr(6046) + "\n" + std::to_string(sim->FamilyCash + sim->FamilyAssets) +
                                                " " + LangStr(6005)));
    for (Sim* other : window_.characters().sims()) {
        if (other->HouseNumber == sim->HouseNumber) {
            other->FamilyCash = sim->FamilyCash;
        }
    }
}

void THouseJobPage::showGhost(const Sim& sim) {
    const int item = haunt_->findText(QString::number(sim.HauntAddress));
    haunt_->setCurrentIndex(item);
    (sim.Ghost != 0 ? rbGhostYes : rbGhostNo)->setChecked(true);
    haunt_->setEnabled(sim.Ghost != 0);
}

void THouseJobPage::ghostClick(bool ghost) {
    Sim* sim = CurrentSim();
    if (sim == nullptr || !houseEnabled()) return;
    sim->Ghost = ghost ? 1 : 0;
    sim->HauntAddress = ghost ? sim->HouseNumber : 0;
    haunt_->setEnabled(ghost);
    {
        const QSignalBlocker quiet(haunt_);
        haunt_->setCurrentIndex(ghost ? haunt_->findText(QString::number(sim->HouseNumber)) : 0);
    }
    changed(*sim);
}

void THouseJobPage::hauntAddressChange() {
    Sim* sim = CurrentSim();
    if (sim == nullptr || !houseEnabled() || !haunt_->isEnabled() || haunt_->currentIndex() < 0) return;
    sim->HauntAddress = haunt_->currentText().toInt();
    changed(*sim);
}

void THouseJobPage::cbFamiliesChange() {
    Sim* sim = CurrentSim();
    const int index = cbFamilies->currentIndex();
    if (sim == nullptr || index < 0) return;
    const std::string wanted = cbFamilies->itemText(index).toStdString();
    const Sim* family = nullptr;
    for (const Sim* other : window_.characters().sims()) {
        if (GameText(FamilyText(*other)).toStdString() == wanted) {
            family = other;
            break;
        }
    }
    if (family == nullptr) return;
    const std::string lastName = family->LastName;
    const std::int32_t house = family->HouseNumber;
    sim->LastName = lastName;
    sim->HouseNumber = house;
    if (index != 0) {
        sim->FamilyChanged = true;
        edtCash->setEnabled(false);
        changed(*sim);
    } else {
        sim->FamilyChanged = false;
        showCash(*sim);
    }
    window_.RefreshCharacterTexts();
}

}  // namespace corvane
