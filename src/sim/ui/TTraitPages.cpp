#include "sim/ui/TTraitPages.h"

#include "app/ui/TThinTrackbar.h"
#include "app/ui/TfrmMain.h"
#include "sim/ui/NeighbourEntryNotice.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <chrono>

namespace corvane {

namespace {

constexpr int kPanelWidth = 184;
constexpr int kPanelHeight = 40;
constexpr int kTopMargin = 16;

std::string panelName(const Trait& trait) {
    return trait.name == "Body" ? "pnlTrkBody" : "pnl" + std::string(trait.name);
}

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TTraitPages::TTraitPages(TfrmMain& window) : QObject(&window), window_(window) {
    createGroup(TraitGroup::Personality, window.pageGroup("grpPersonality"), "btnMaxPersonality", "btnRandomPersonality");
    createGroup(TraitGroup::Skills, window.pageGroup("grpSkills"), "btnMaxSkills", "btnRandomSkills");
    createGroup(TraitGroup::Interests, window.pageGroup("grpInterests"), "btnMaxInterests", "btnRandomInterests");
    connect(window.pageButton("btnSkillsPersonality"), &QPushButton::clicked, this,
            &TTraitPages::btnSkillsPersonalityClick);
    connect(window.pageButton("btnInterests"), &QPushButton::clicked, this, &TTraitPages::btnInterestsClick);
}

void TTraitPages::createGroup(TraitGroup group, QGroupBox* box, const char* maxButton, const char* randomButton) {
    int index = 0;
    const int rowsPerColumn = group == TraitGroup::Interests ? 8 : 4;
    for (const Trait& trait : Traits()) {
        if (trait.group != group) continue;
        auto* frame = new QFrame(box);
        frame->setObjectName(QString::fromStdString(panelName(trait)));
        frame->setGeometry(8 + (index / rowsPerColumn) * (kPanelWidth + 7), kTopMargin + (index % rowsPerColumn) * kPanelHeight,
                           kPanelWidth, kPanelHeight);
        auto* text = new QLabel(frame);
        text->setObjectName("lbl" + qt(trait.name));
        text->setGeometry(2, 0, kPanelWidth - 4, 16);
        auto* bar = new TThinTrackbar(frame);
        bar->setObjectName(qt(trait.slider));
        bar->setGeometry(0, 16, kPanelWidth, 22);
        bar->setRange(0, 1000);
        bar->setTickInterval(100);
        bar->setTickPosition(QSlider::TicksBelow);
        Row row{&trait, frame, text, bar};
        rows_.emplace(std::string(trait.slider), row);
        connect(bar, &QSlider::valueChanged, this, [this, row](int position) { trkChange(row, position); });
        ++index;
    }
    const int buttonsTop = box->height() - 30;
    auto* maxAll = new QPushButton(box);
    maxAll->setObjectName(maxButton);
    maxAll->setGeometry(box->width() - 196, buttonsTop, 90, 22);
    connect(maxAll, &QPushButton::clicked, this, [this, group] { setAll(group, false); });
    auto* random = new QPushButton(box);
    random->setObjectName(randomButton);
    random->setGeometry(box->width() - 100, buttonsTop, 90, 22);
    connect(random, &QPushButton::clicked, this, [this, group] { setAll(group, true); });
}

QGroupBox* TTraitPages::groupBoxOf(TraitGroup group) const {
    switch (group) {
        case TraitGroup::Personality: return window_.pageGroup("grpPersonality");
        case TraitGroup::Skills: return window_.pageGroup("grpSkills");
        case TraitGroup::Interests: break;
    }
    return window_.pageGroup("grpInterests");
}

void TTraitPages::trkChange(const Row& row, int position) {
    Sim* sim = CurrentSim();
    const bool enabled = groupBoxOf(row.trait->group)->isEnabled();
    const bool interest = row.trait->group == TraitGroup::Interests;
    // Personality and skills do nothing while their page fills; interest
    // labels follow their slider even then.
    if (sim == nullptr || (!enabled && !interest)) {
        return;
    }
    const bool childLabels = interest && !row.label->text().contains(QString::fromStdString(LangStr(row.trait->adultText)));
    row.label->setText(QString::fromStdString(TraitLabel(*row.trait, *sim, position, childLabels)));
    if (!enabled) {
        return;
    }
    sim->*(row.trait->field) = position;
    sim->Modified = true;
    window_.btnSave->setEnabled(true);
}

void TTraitPages::showRow(const Row& row, bool visible, bool childLabels) {
    const Sim& sim = *CurrentSim();
    const int value = sim.*(row.trait->field);
    row.slider->setValue(value);
    row.label->setText(QString::fromStdString(TraitLabel(*row.trait, sim, value, childLabels)));
    row.panel->setVisible(visible);
}

void TTraitPages::btnSkillsPersonalityClick() {
    Sim* sim = CurrentSim();
    if (sim == nullptr) return;
    window_.LockPages();
    const bool pet = IsPet(*sim);
    for (const auto& [name, row] : rows_) {
        if (row.trait->group != TraitGroup::Interests) {
            showRow(row, !pet || row.trait->shownForPets, false);
        }
    }
    window_.UnlockPages();
    ShowNeighbourEntryNotice(groupBoxOf(TraitGroup::Personality), *sim);
    ShowNeighbourEntryNotice(groupBoxOf(TraitGroup::Skills), *sim);
}

void TTraitPages::btnInterestsClick() {
    Sim* sim = CurrentSim();
    if (sim == nullptr) return;
    window_.LockPages();
    const bool pet = IsPet(*sim);
    const bool child = sim->AgeGroup == "child";
    for (const auto& [name, row] : rows_) {
        if (row.trait->group != TraitGroup::Interests) continue;
        if (pet) {
            row.panel->hide();
        } else if (row.trait->adultOnly && child) {
            row.panel->hide();  // the slider keeps whatever position it had
        } else {
            showRow(row, true, child);
        }
    }
    for (const char* button : {"btnMaxInterests", "btnRandomInterests"}) {
        window_.findChild<QPushButton*>(button)->setVisible(!pet);
    }
    window_.UnlockPages();
    ShowNeighbourEntryNotice(groupBoxOf(TraitGroup::Interests), *sim);
}

void TTraitPages::setAll(TraitGroup group, bool random) {
    Sim* sim = CurrentSim();
    if (sim == nullptr) return;
    if (random) {
        generator_.seed(static_cast<std::mt19937::result_type>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    for (const Trait* trait : SlidersSetTogether(group, *sim)) {
        const Row& row = rows_.at(std::string(trait->slider));
        const int value = random ? RandomTraitValue(generator_) : 1000;
        if (row.slider->value() == value) {
            trkChange(row, value);  // the slider does not move, the field still takes the value
        }
        row.slider->setValue(value);
    }
}

TThinTrackbar* TTraitPages::slider(std::string_view name) const {
    auto it = rows_.find(name);
    return it == rows_.end() ? nullptr : it->second.slider;
}

QLabel* TTraitPages::label(std::string_view sliderName) const {
    auto it = rows_.find(sliderName);
    return it == rows_.end() ? nullptr : it->second.label;
}

QFrame* TTraitPages::panel(std::string_view sliderName) const {
    auto it = rows_.find(sliderName);
    return it == rows_.end() ? nullptr : it->second.panel;
}

}  // namespace corvane
