#include "sim/ui/TMakeoverPage.h"

#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/LanguageModule.h"
#include "sim/HouseJob.h"
#include "sim/SimFields.h"
#include "skins/WildcardMask.h"
#include "support/ui/DemoEditorTest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

namespace corvane {
namespace {

class MakeoverPageTest : public test::DemoEditorTest {
protected:
    TMakeoverPage& page() const { return *static_cast<TMakeoverPage*>(window->page(PageKind::Makeover)); }
    Sim& openMakeover(const std::string& file) {
        Sim& sim = open(file, "btnMakeover");
        window->document().seedRandom(11);
        return sim;
    }
    bool visible(const char* control) const {
        auto* widget = page().findChild<QWidget*>(control);
        return widget != nullptr && widget->isVisible();
    }
    std::vector<std::string> listTexts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < window->cbUserName->count(); ++i) texts.push_back(window->cbUserName->itemText(i).toStdString());
        return texts;
    }
};

// Every skin a makeover chose fits its mask, and each texture is the mesh's own.
void expectDressed(const Sim& sim, const char* headMask, const char* bodyMask, const std::string& tone,
                   const char* handMesh) {
    EXPECT_TRUE(MatchesMask(headMask, sim.HeadMesh)) << sim.HeadMesh;
    EXPECT_TRUE(MatchesMask(sim.HeadMesh.substr(0, 6) + tone + "*", sim.HeadTexture)) << sim.HeadTexture;
    EXPECT_TRUE(MatchesMask(bodyMask, sim.BodyMesh)) << sim.BodyMesh;
    EXPECT_TRUE(MatchesMask(sim.BodyMesh.substr(0, 9) + tone + "*", sim.BodyTexture)) << sim.BodyTexture;
    EXPECT_EQ(sim.OpenLHandMesh, handMesh);
    EXPECT_EQ(sim.OpenLHandTexture, "huao" + tone);
    EXPECT_EQ(sim.CloseRHandTexture, "huac" + tone);
}

TEST_F(MakeoverPageTest, ShowingThePageChecksWhatTheCharacterIsAndStoresNothing) {
    Sim& victor = openMakeover("User00001");
    EXPECT_TRUE(page().rbAgeAdult->isChecked());
    EXPECT_TRUE(page().rbSexMale->isChecked());
    EXPECT_TRUE(page().rbRaceLgt->isChecked());
    EXPECT_TRUE(page().rbFit->isChecked());
    EXPECT_TRUE(page().rbFat->isEnabled());
    for (const char* hidden : {"pnlSkinAge", "rbTNR", "lblTNR", "rbAgeDog", "rbAgeCat"}) {
        EXPECT_FALSE(visible(hidden)) << hidden << " without /skinage, /teens, or for a person";
    }
    EXPECT_EQ(page().edtSimName->text(), "Victor");
    EXPECT_EQ(page().edtSimLastName->text(), "Marlow");
    EXPECT_EQ(page().memBio->toPlainText(), "Victor lives in the demo neighborhood.");
    EXPECT_FALSE(page().ckResetThumb->isChecked());
    EXPECT_FALSE(victor.Modified);
    EXPECT_FALSE(window->btnSave->isEnabled());

    Sim& tess = openMakeover("User00003");
    EXPECT_TRUE(page().rbAgeChild->isChecked());
    EXPECT_TRUE(page().rbSexFemale->isChecked());
    EXPECT_FALSE(page().rbFit->isEnabled()) << "children have one body size";
    EXPECT_FALSE(page().rbSkn->isChecked() || page().rbFit->isChecked() || page().rbFat->isChecked());
    EXPECT_FALSE(tess.Modified);

    openMakeover("User00006");
    EXPECT_TRUE(visible("rbAgeDog"));
    EXPECT_TRUE(page().rbAgeDog->isChecked());
    for (const char* hidden : {"rbAgeChild", "rbAgeAdult", "rbAgeCat", "pnlBodySize", "pnlSkinColor"}) {
        EXPECT_FALSE(visible(hidden)) << hidden << " for a dog";
    }
    EXPECT_TRUE(page().rbSexMale->isChecked());

    openMakeover("User00007");
    EXPECT_TRUE(visible("rbAgeCat"));
    EXPECT_TRUE(page().rbAgeCat->isChecked());
    EXPECT_FALSE(visible("rbAgeDog"));
    EXPECT_TRUE(page().rbSexFemale->isChecked()) << "gender 5, a female cat";
}

// The three clicks of a makeover to a dark-skinned fat woman: each dresses
// her anew and draws her pictures; undo takes her back step by step.
TEST_F(MakeoverPageTest, ADarkSkinnedFatWomanWearsMatchingSkinsAndUndoTakesEveryStepBack) {
    Sim& victor = openMakeover("User00001");
    const Sim before = victor;
    page().rbSexFemale->click();
    EXPECT_EQ(victor.Gender, 1);
    expectDressed(victor, "c???fa*", "b???fafit*", "lgt", "hflo");
    page().rbRaceDrk->click();
    EXPECT_EQ(victor.SkinColor, 2);
    EXPECT_EQ(victor.SkinTone, "drk");
    page().rbFat->click();
    EXPECT_EQ(victor.BodySize, "fat");
    expectDressed(victor, "c???fa*", "b???fafat*", "drk", "hflo");
    EXPECT_TRUE(victor.ResetThumbnail);
    EXPECT_TRUE(victor.Modified);
    EXPECT_TRUE(window->btnSave->isEnabled());
    EXPECT_TRUE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00001")))
        << "the new face's pictures wait for the save";
    EXPECT_TRUE(page().rbFat->isChecked());
    EXPECT_TRUE(page().rbRaceDrk->isChecked());
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messageTexts().front();

    for (int step = 0; step < 3; ++step) window->Undo();
    for (const SimField& field : SimFieldTable()) {
        if (const auto* text = std::get_if<std::string Sim::*>(&field.member)) {
            EXPECT_EQ(victor.**text, before.**text) << field.name;
        }
    }
    EXPECT_EQ(victor.Gender, 0);
    EXPECT_FALSE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00001")))
        << "the undone face's pictures never reach a save";
    EXPECT_TRUE(page().rbSexMale->isChecked()) << "the page shows the undone record";
    EXPECT_TRUE(page().rbRaceLgt->isChecked());
}

TEST_F(MakeoverPageTest, ChildAndAdultChangeAgeCareerAndSizeWithNewSkins) {
    Sim& victor = openMakeover("User00001");
    page().rbAgeChild->click();
    EXPECT_EQ(victor.Age, 9);
    EXPECT_EQ(victor.AgeGroup, "child");
    EXPECT_EQ(victor.Career, kSchoolCareer);
    EXPECT_EQ(victor.BodySize, "chd");
    expectDressed(victor, "c???mc*", "b???mcchd*", "lgt", "hulo");
    EXPECT_FALSE(page().rbFit->isEnabled());

    Sim& tess = openMakeover("User00003");
    page().rbAgeAdult->click();
    EXPECT_EQ(tess.Age, 27);
    EXPECT_EQ(tess.AgeGroup, "adult");
    EXPECT_NE(tess.Career, 11);
    EXPECT_LT(IndexForCareer(tess.Career), OfferedCareers(27, 7)) << "a career the House/Job page lists";
    QRadioButton* size = tess.BodySize == "skn" ? page().rbSkn : tess.BodySize == "fit" ? page().rbFit : page().rbFat;
    EXPECT_TRUE(size->isChecked()) << tess.BodySize;
    EXPECT_TRUE(page().rbFit->isEnabled());
    expectDressed(tess, "c???fa*", ("b???fa" + tess.BodySize + "*").c_str(), "lgt", "hflo");
}

// Body size keeps the head; a dog's gender is its record's only.
TEST_F(MakeoverPageTest, BodySizeKeepsTheHeadAndAPetKeepsItsCoat) {
    Sim& victor = openMakeover("User00001");
    const std::string head = victor.HeadMesh;
    page().rbSkn->click();
    EXPECT_EQ(victor.HeadMesh, head);
    EXPECT_FALSE(victor.ResetThumbnail);
    EXPECT_TRUE(MatchesMask("b???maskn*", victor.BodyMesh)) << victor.BodyMesh;

    Sim& biscuit = openMakeover("User00006");
    const Sim coat = biscuit;
    page().rbSexFemale->click();
    EXPECT_EQ(biscuit.Gender, 3);
    EXPECT_TRUE(biscuit.Modified);
    EXPECT_EQ(biscuit.BodyMesh, coat.BodyMesh);
    EXPECT_EQ(biscuit.BodyTexture, coat.BodyTexture);
    EXPECT_FALSE(biscuit.ResetThumbnail);
}

TEST_F(MakeoverPageTest, NamesAndBiographyAreTypedIntoTheRecordAndTheList) {
    Sim& victor = openMakeover("User00001");
    const std::vector<std::string> before = listTexts();
    page().edtSimName->clear();
    QTest::keyClicks(page().edtSimName, "Vic ");
    EXPECT_EQ(victor.FirstName, "Vic");
    EXPECT_EQ(page().edtSimName->text(), "Vic ") << "the blank being typed stays in the box";
    EXPECT_EQ(byId(3)->Relationships.front().TargetFirstName, "Vic") << "Tess's relationship to him";

    page().edtSimLastName->selectAll();
    QTest::keyClicks(page().edtSimLastName, "Marlowe");
    for (const std::int32_t id : {1, 2, 3, 4, 6, 7}) EXPECT_EQ(byId(id)->LastName, "Marlowe") << id;
    EXPECT_EQ(byId(5)->LastName, "Vale");
    EXPECT_TRUE(victor.LastNameChanged);
    EXPECT_FALSE(byId(2)->Modified) << "the family's name is saved through him";
    int renamed = 0;
    for (const std::string& text : listTexts()) renamed += text.find("Marlowe") != std::string::npos ? 1 : 0;
    EXPECT_EQ(renamed, 6) << "every Marlow's entry, in the list's own format";
    EXPECT_EQ(listTexts().size(), before.size());
    EXPECT_EQ(window->document().current(), &victor) << "he stays selected";

    page().memBio->setFocus();
    page().memBio->clear();
    QTest::keyClicks(page().memBio, "Line one");
    QTest::keyClick(page().memBio, Qt::Key_Return);
    QTest::keyClicks(page().memBio, "two  ");
    EXPECT_EQ(victor.Bio, "Line one\r\ntwo");
}

TEST_F(MakeoverPageTest, TheResetBoxDrawsThePicturesAndAsksForThemOnce) {
    Sim& victor = openMakeover("User00001");
    page().ckResetThumb->click();
    EXPECT_TRUE(victor.ResetThumbnail);
    EXPECT_TRUE(victor.Modified);
    EXPECT_TRUE(std::filesystem::exists(CharacterImageFile(ApplicationFolder(), "User00001")));
    page().ckResetThumb->click();
    EXPECT_TRUE(victor.ResetThumbnail) << "unchecking asks nothing back";
    window->pageButton("btnMakeover")->click();
    EXPECT_FALSE(page().ckResetThumb->isChecked()) << "the box is unchecked each time the page opens";
}

class MakeoverSwitchesTest : public MakeoverPageTest {
protected:
    CommandLineSwitches editorSwitches() const override {
        CommandLineSwitches switches;
        switches.skinAge = true;
        switches.teens = true;
        return switches;
    }
};

// "/skinage": a child in adult skins has the adult age letter and its own
// gender's hands; "/teens" offers the teen body.
TEST_F(MakeoverSwitchesTest, SkinAgeAndTeenButtonsShowOnRequest) {
    Sim& tess = openMakeover("User00003");
    EXPECT_TRUE(visible("pnlSkinAge"));
    EXPECT_TRUE(visible("rbTNR"));
    EXPECT_TRUE(page().rbSkinAgeChild->isChecked());
    EXPECT_FALSE(page().rbFit->isEnabled());
    // No body of the demo fits a girl in adult skins or a teen: each such
    // makeover says the Sim would be invisible.
    const std::vector<std::string> bodyLeftBare{LangStr(MessageId{7321})};
    auto click = [&](QRadioButton* button, bool bare) {
        dialogs.forgetShown();
        if (bare) dialogs.answer(mrOk);
        button->click();
        EXPECT_EQ(dialogs.messageTexts(), bare ? bodyLeftBare : std::vector<std::string>{}) << button->objectName().toStdString();
        EXPECT_EQ(tess.BodyMesh.empty(), bare) << button->objectName().toStdString();
    };
    click(page().rbSkinAgeAdult, true);
    EXPECT_EQ(tess.SkinAge, 27);
    EXPECT_EQ(tess.Age, 9) << "only the skins grow up";
    EXPECT_EQ(tess.OpenLHandMesh, "hflo");
    EXPECT_TRUE(page().rbFit->isEnabled());
    click(page().rbAgeAdult, false);
    click(page().rbAgeChild, true);
    EXPECT_EQ(tess.SkinAge, 27) << "a new child keeps the skin age the buttons show";
    click(page().rbTNR, true);
    EXPECT_EQ(tess.BodySize, "tnr");
    EXPECT_TRUE(page().rbTNR->isChecked());
}

}  // namespace
}  // namespace corvane
