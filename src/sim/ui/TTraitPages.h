#pragma once

#include "sim/Traits.h"

#include <QObject>

#include <map>
#include <random>
#include <string>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace corvane {

class TfrmMain;
class TThinTrackbar;

// The Skills/Personality and Interests pages: one slider with its label in
// a panel per trait, "Max All" and "Random" per group. A slider stores into
// the current character only while its group box is enabled, which is how
// the pages fill themselves without touching the record.
class TTraitPages : public QObject {
    Q_OBJECT

public:
    explicit TTraitPages(TfrmMain& window);

    void btnSkillsPersonalityClick();
    void btnInterestsClick();

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

    void createGroup(TraitGroup group, QGroupBox* box, const char* maxButton, const char* randomButton);
    void trkChange(const Row& row, int position);
    void setAll(TraitGroup group, bool random);
    void showRow(const Row& row, bool visible, bool childLabels);
    QGroupBox* groupBoxOf(TraitGroup group) const;

    TfrmMain& window_;
    std::map<std::string, Row, std::less<>> rows_;
    std::mt19937 generator_;
};

}  // namespace corvane
