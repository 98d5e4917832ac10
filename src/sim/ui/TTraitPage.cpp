#include "sim/ui/TTraitPage.h"

#include "app/ui/TThinTrackbar.h"
#include "sim/TraitEdits.h"
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

TTraitPage::TTraitPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    if (QGroupBox* personality = group("grpPersonality")) {
        createGroup(TraitGroup::Personality, personality, "btnMaxPersonality", "btnRandomPersonality");
    }
    if (QGroupBox* skills = group("grpSkills")) {
        createGroup(TraitGroup::Skills, skills, "btnMaxSkills", "btnRandomSkills");
    }
    if (QGroupBox* interests = group("grpInterests")) {
        createGroup(TraitGroup::Interests, interests, "btnMaxInterests", "btnRandomInterests");
    }
}

void TTraitPage::createGroup(TraitGroup group, QGroupBox* box, const char* maxButton, const char* randomButton) {
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
        // One drag is one step of the undo history.
        connect(bar, &QSlider::sliderReleased, this, [this] { document().sealStep(); });
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

QGroupBox* TTraitPage::groupBoxOf(TraitGroup group) const {
    switch (group) {
        case TraitGroup::Personality: return this->group("grpPersonality");
        case TraitGroup::Skills: return this->group("grpSkills");
        case TraitGroup::Interests: break;
    }
    return this->group("grpInterests");
}

void TTraitPage::trkChange(const Row& row, int position) {
    Sim* sim = current();
    const bool store = storing(groupBoxOf(row.trait->group));
    const bool interest = row.trait->group == TraitGroup::Interests;
    // Personality and skills do nothing while their page fills; interest
    // labels follow their slider even then.
    if (sim == nullptr || (!store && !interest)) {
        return;
    }
    const bool childLabels = interest && !row.label->text().contains(QString::fromStdString(LangStr(row.trait->adultText)));
    row.label->setText(QString::fromStdString(TraitLabel(*row.trait, *sim, position, childLabels)));
    if (!store) {
        return;
    }
    SetTrait(document(), *sim, *row.trait, position);
    if (!row.slider->isSliderDown()) document().sealStep();
}

void TTraitPage::showRow(const Row& row, bool visible, bool childLabels) {
    const Sim& sim = *current();
    const int value = sim.*(row.trait->field);
    row.slider->setValue(value);
    row.label->setText(QString::fromStdString(TraitLabel(*row.trait, sim, value, childLabels)));
    row.panel->setVisible(visible);
}

void TTraitPage::showPage() {
    Sim* sim = current();
    if (sim == nullptr) return;
    {
        const PageLock locked(host());
        fill(*sim);
    }
    for (QGroupBox* box : groups()) ShowNeighbourEntryNotice(box, *sim);
}

void TTraitPage::refresh() {
    fill(*current());
}

void TTraitPage::fill(const Sim& sim) {
    if (group("grpInterests") != nullptr) {
        showInterests(sim);
    } else {
        showSkillsAndPersonality(sim);
    }
}

void TTraitPage::showSkillsAndPersonality(const Sim& sim) {
    const bool pet = IsPet(sim);
    for (const auto& [name, row] : rows_) {
        showRow(row, !pet || row.trait->shownForPets, false);
    }
}

void TTraitPage::showInterests(const Sim& sim) {
    const bool pet = IsPet(sim);
    const bool child = sim.AgeGroup == "child";
    for (const auto& [name, row] : rows_) {
        if (pet) {
            row.panel->hide();
        } else if (row.trait->adultOnly && child) {
            row.panel->hide();  // the slider keeps whatever position it had
        } else {
            showRow(row, true, child);
        }
    }
    for (const char* button : {"btnMaxInterests", "btnRandomInterests"}) {
        findChild<QPushButton*>(button)->setVisible(!pet);
    }
}

void TTraitPage::setAll(TraitGroup group, bool random) {
    Sim* sim = current();
    if (sim == nullptr || !storing(groupBoxOf(group))) return;
    if (random) {
        generator_.seed(static_cast<std::mt19937::result_type>(
            std::chrono::steady_clock::now().time_since_epoch().count()));
        RandomTraits(document(), *sim, group, generator_);
    } else {
        MaxAllTraits(document(), *sim, group);
    }
}

TThinTrackbar* TTraitPage::slider(std::string_view name) const {
    auto it = rows_.find(name);
    return it == rows_.end() ? nullptr : it->second.slider;
}

QLabel* TTraitPage::label(std::string_view sliderName) const {
    auto it = rows_.find(sliderName);
    return it == rows_.end() ? nullptr : it->second.label;
}

QFrame* TTraitPage::panel(std::string_view sliderName) const {
    auto it = rows_.find(sliderName);
    return it == rows_.end() ? nullptr : it->second.panel;
}

}  // namespace corvane
