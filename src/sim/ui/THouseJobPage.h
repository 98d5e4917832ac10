#pragma once

#include "app/ui/EditorPage.h"
#include "sim/HouseJobEdits.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class TThinTrackbar;

// The House/Job page (grpHouse above grpJob): career, job level and
// performance, fame, the family's cash and household, and the ghost state
// with the house it haunts.
class THouseJobPage : public EditorPage {
    Q_OBJECT

public:
    THouseJobPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnHouseJobClick.
    void showPage() override;
    void cbCareerChange();
    void cbJobsChange();
    void btnMaxJobClick();
    void edtCashChange();
    void cbFamiliesChange();

    QComboBox* cbCareer = nullptr;
    QComboBox* cbJobs = nullptr;
    TThinTrackbar* trkPerformance = nullptr;
    QLabel* lblPerformance = nullptr;
    QPushButton* btnMaxJob = nullptr;
    TThinTrackbar* trkFameScore = nullptr;
    TThinTrackbar* trkFamePower = nullptr;
    TThinTrackbar* trkFameWatermark = nullptr;
    QLabel* lblFameScore = nullptr;
    QLabel* lblFamePower = nullptr;
    QLabel* lblFameWatermark = nullptr;
    QLineEdit* edtCash = nullptr;
    QLabel* lblNetWorth = nullptr;
    QComboBox* cbFamilies = nullptr;
    QRadioButton* rbGhostYes = nullptr;
    QRadioButton* rbGhostNo = nullptr;
    QComboBox* cbHauntAddress = nullptr;

private:
    void refresh() override;
    void fill(const Sim& sim);
    void createJob(QGroupBox* box);
    void createHouse(QGroupBox* box);
    void fillFamilies(const Sim& sim);
    void fillCareers(const Sim& sim);
    void fillJobs(const Sim& sim, int careerIndex);
    void showFame(const Sim& sim);
    void fameMoved(TThinTrackbar* moved);
    void setFameLabels(const Fame& fame);
    void trkPerformanceChange(int value);
    void showCash(const Sim& sim);
    void showNetWorth(const Sim& sim);
    void showGhost(const Sim& sim);
    void ghostClick(bool ghost);
    void cbHauntAddressChange();
    bool jobStoring() const;
    bool houseStoring() const;

    QGroupBox* job_;
    QGroupBox* house_;
    QGroupBox* grpGhost_ = nullptr;
    QFrame* pnlJobs_ = nullptr;
    std::vector<QFrame*> famePanels_;
};

}  // namespace corvane
