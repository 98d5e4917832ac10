#pragma once

#include "app/ui/EditorPage.h"
#include "sim/Makeover.h"

#include <functional>
#include <map>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace corvane {

// The Makeover page (grpMakeover): who the character is. Its age group,
// gender, skin colour and size (each choice dresses it in new matching skins
// and draws new pictures), with the skin age on "/skinage" and the teen body
// on "/teens"; its names and biography; and a box that asks for new pictures.
class TMakeoverPage : public EditorPage {
    Q_OBJECT

public:
    TMakeoverPage(const PageServices& services, const PageInfo& row, QWidget* parent);

    // btnMakeoverClick.
    void showPage() override;

    void rbAgeChildClick();
    void rbAgeAdultClick();
    void rbSkinAgeChildClick();
    void rbSkinAgeAdultClick();
    void rbSexMaleClick();
    void rbSexFemaleClick();
    void rbRaceLgtClick();
    void rbRaceMedClick();
    void rbRaceDrkClick();
    void rbSknClick();
    void rbFitClick();
    void rbFatClick();
    void rbTNRClick();
    void edtSimNameChange();
    void edtSimLastNameChange();
    void memBioChange();
    void ckResetThumbClick();

    QFrame* pnlAge = nullptr;
    QRadioButton* rbAgeChild = nullptr;
    QRadioButton* rbAgeAdult = nullptr;
    QRadioButton* rbAgeDog = nullptr;
    QRadioButton* rbAgeCat = nullptr;
    QFrame* pnlSkinAge = nullptr;
    QRadioButton* rbSkinAgeChild = nullptr;
    QRadioButton* rbSkinAgeAdult = nullptr;
    QFrame* pnlSex = nullptr;
    QRadioButton* rbSexMale = nullptr;
    QRadioButton* rbSexFemale = nullptr;
    QFrame* pnlSkinColor = nullptr;
    QRadioButton* rbRaceLgt = nullptr;
    QRadioButton* rbRaceMed = nullptr;
    QRadioButton* rbRaceDrk = nullptr;
    QFrame* pnlBodySize = nullptr;
    QRadioButton* rbSkn = nullptr;
    QRadioButton* rbFit = nullptr;
    QRadioButton* rbFat = nullptr;
    QRadioButton* rbTNR = nullptr;
    QLineEdit* edtSimName = nullptr;
    QLineEdit* edtSimLastName = nullptr;
    QPlainTextEdit* memBio = nullptr;
    QCheckBox* ckResetThumb = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh() override;
    void genderClick(bool female);
    void bodySizeClick(const char* size);
    void createAgeAndSkinAge(QGroupBox* box);
    void createLooks(QGroupBox* box);
    void createNames(QGroupBox* box);
    QRadioButton* radio(QFrame* panel, const char* name, const char* label, QPoint at, void (TMakeoverPage::*handler)());
    void fill(const Sim& sim);
    // A makeover that found no skin for the head or the body says so: the game would show nobody.
    void tellBareSlots(const Sim& sim);
    void showAgeButtons(const Sim& sim);
    void showLooks(const Sim& sim);
    void showTexts(const Sim& sim);
    std::optional<SkinAgeChoice> skinAgeChoice() const;
    // ReassignSkins's frame around one makeover edit: the busy window, the
    // locked pages, then the preview and, for a new face, the pictures.
    void reassign(const std::function<void(Sim&, const MakeoverSkins&)>& change);

    QGroupBox* box_;
    QLabel* lblSkinAge_ = nullptr;
    QLabel* lblTNR_ = nullptr;
    std::vector<std::pair<QRadioButton*, QLabel*>> ageButtons_;  // child, adult, dog, cat
    std::map<QObject*, QRadioButton*> captions_;
};

}  // namespace corvane
