#pragma once

#include "app/ui/EditorPage.h"
#include "sim/Traits.h"

#include <map>
#include <random>
#include <string>

class QFrame;
class QLabel;

namespace corvane {

class TThinTrackbar;

// The Skills/Personality page (group boxes grpSkills and grpPersonality) and
// the Interests page (grpInterests): one slider with its label in a panel per
// trait, "Max All" and "Random" per group. The page's row says which groups
// it holds. A slider stores into the current character only while its group
// box is enabled, which is how the page fills itself without touching the record.
class TTraitPage : public EditorPage {
    Q_OBJECT

public:
    TTraitPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnSkillsPersonalityClick and btnInterestsClick.
    void showPage() override;

    TThinTrackbar* slider(std::string_view name) const;
    QLabel* label(std::string_view sliderName) const;
    QFrame* panel(std::string_view sliderName) const;

private:
    struct Row {
        const Trait* trait;
        QFrame* panel;
        QLabel* label;
        TThinTrackbar* slider;
    };

    // Shows the values anew while the page is on show; the groups stay enabled
    // so that a slider being dragged keeps its grip.
    void refresh() override;
    void fill(const Sim& sim);
    void createGroup(TraitGroup group, QGroupBox* box, const char* maxButton, const char* randomButton);
    void trkChange(const Row& row, int position);
    void setAll(TraitGroup group, bool random);
    void showRow(const Row& row, bool visible, bool childLabels);
    void showSkillsAndPersonality(const Sim& sim);
    void showInterests(const Sim& sim);
    QGroupBox* groupBoxOf(TraitGroup group) const;

    std::map<std::string, Row, std::less<>> rows_;
    std::mt19937 generator_;
};

}  // namespace corvane
