#pragma once

#include "sim/HouseJob.h"

#include <QObject>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane {

class TfrmMain;
class TThinTrackbar;

// The House/Job page: career, job level and performance, fame, the family's
// cash and household, and the ghost state with the house it haunts.
class THouseJobPage : public QObject {
    Q_OBJECT

public:
    explicit THouseJobPage(TfrmMain& window);

    void btnHouseJobClick();
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

private:
    void createJob(QGroupBox* box);
    void createHouse(QGroupBox* box);
    void fillCareers(const Sim& sim);
    void fillJobs(const Sim& sim, int careerIndex);
    void showFame(const Sim& sim);
    void fameMoved(TThinTrackbar* moved);
    void setFameLabels(const Fame& fame, bool onDisplay);
    void performanceChange(int value);
    void showCash(const Sim& sim);
    void showGhost(const Sim& sim);
    void ghostClick(bool ghost);
    void hauntAddressChange();
    void changed(Sim& sim);
    bool jobEnabled() const;
    bool houseEnabled() const;

    TfrmMain& window_;
    QGroupBox* job_;
    QGroupBox* house_;
    QFrame* pnlJobs_ = nullptr;
    std::vector<QFrame*> famePanels_;
    QComboBox* haunt_ = nullptr;
};

}  // namespace corvane
