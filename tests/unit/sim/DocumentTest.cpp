#include "sim/Document.h"
#include "sim/HouseJobEdits.h"
#include "sim/RelationshipEdits.h"
#include "sim/TraitEdits.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// A household of two in house 3 (Victor, a child Tess) and Iris alone in
// house 7; Victor and Iris know each other both ways.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::unique_ptr<Sim>> made;
        made.push_back(person("User00001", 1, "Marlow", 3, 27));
        made.push_back(person("User00003", 3, "Marlow", 3, 9));
        made.push_back(person("User00005", 5, "Vale", 7, 27));
        made[0]->Relationships.push_back({5, "Iris", "Vale", 10, 20, 0, 0, 4, 0});
        made[2]->Relationships.push_back({1, "Victor", "Marlow", -5, 0, 0, 0, 4, 0});
        document.open(std::move(made), std::vector<std::optional<Bitmap>>(3), nullptr);
        subscription = document.subscribe([this](const DocumentChange& change) { told.push_back(change); });
    }
    static std::unique_ptr<Sim> person(const char* file, int id, const char* lastName, int house, int age) {
        auto sim = std::make_unique<Sim>();
        sim->FileName = file;
        sim->NeighborID = id;
        sim->LastName = lastName;
        sim->HouseNumber = house;
        sim->Age = age;
        sim->AgeGroup = age < 10 ? "child" : "adult";
        sim->Career = age < 10 ? kSchoolCareer : 3;
        sim->JobLevel = 4;
        sim->FamilyCash = 500;
        return sim;
    }
    Sim& byFile(const std::string& file) {
        for (Sim* sim : document.sims()) {
            if (sim->FileName == file) return *sim;
        }
        throw std::logic_error(file);
    }
    Sim& victor() { return byFile("User00001"); }
    Sim& tess() { return byFile("User00003"); }
    Sim& iris() { return byFile("User00005"); }

    Document document{7};
    Document::Subscription subscription;
    std::vector<DocumentChange> told;
};

TEST_F(DocumentTest, UndoAndRedoRestoreTheRecordsTheFlagsAndTheSaveButton) {
    const Sim loaded = victor();
    SetTrait(document, victor(), *FindTrait("trkNeat"), 800);
    document.sealStep();
    SetCareer(document, victor(), 0);
    EXPECT_EQ(victor().JobLevel, 0) << "career 0 takes job level 0";
    EXPECT_TRUE(victor().Modified);
    EXPECT_TRUE(document.saveEnabled());

    ASSERT_TRUE(document.undo());
    EXPECT_EQ(victor().Career, 3);
    EXPECT_EQ(victor().JobLevel, 4);
    EXPECT_EQ(victor().Neat, 800) << "one step at a time";
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(victor(), loaded) << "the record, Modified included, as it was loaded";
    EXPECT_FALSE(document.saveEnabled());
    EXPECT_FALSE(document.undo());

    ASSERT_TRUE(document.redo());
    ASSERT_TRUE(document.redo());
    EXPECT_EQ(victor().Neat, 800);
    EXPECT_EQ(victor().Career, 0);
    EXPECT_TRUE(document.saveEnabled());
    EXPECT_FALSE(document.redo());
    EXPECT_EQ(told.back().kind, DocumentChange::Kind::Edited) << "the pages are told to show the records anew";

    document.undo();
    SetTrait(document, victor(), *FindTrait("trkNeat"), 800);
    EXPECT_TRUE(document.canRedo()) << "an edit that changes nothing keeps what was undone";
    SetTrait(document, victor(), *FindTrait("trkNice"), 10);
    EXPECT_FALSE(document.canRedo()) << "a new edit forgets what was undone";
}

TEST_F(DocumentTest, OneDragIsOneStepAndADragBackToTheStartIsNone) {
    const Trait& neat = *FindTrait("trkNeat");
    for (int value : {100, 200, 300}) SetTrait(document, victor(), neat, value);
    document.sealStep();
    SetTrait(document, victor(), neat, 400);
    document.undo();
    EXPECT_EQ(victor().Neat, 300);
    document.undo();
    EXPECT_EQ(victor().Neat, 0) << "the whole first drag";
    EXPECT_FALSE(document.canUndo());

    SetTrait(document, victor(), neat, 600);
    SetTrait(document, victor(), neat, 0);
    document.sealStep();
    EXPECT_FALSE(victor().Modified) << "back where it started: nothing to save";
    EXPECT_FALSE(document.saveEnabled());
    EXPECT_FALSE(document.canUndo());
}

TEST_F(DocumentTest, AFailedEditChangesNothingAndRecordsNoStep) {
    const Sim before = victor();
    EXPECT_THROW(SetTrait(document, victor(), *FindTrait("trkNeat"), 1001), EditError);
    EXPECT_THROW(document.edit("half", [&](EditScope& scope) {
        scope.touch(victor()).Neat = 5;
        throw EditError("refused halfway");
    }), EditError);
    EXPECT_EQ(victor(), before);
    EXPECT_FALSE(document.canUndo());
    EXPECT_FALSE(document.saveEnabled());
}

TEST_F(DocumentTest, OpeningSavingAndRemovingClearTheHistory) {
    SetTrait(document, victor(), *FindTrait("trkNeat"), 800);
    document.saved();
    EXPECT_FALSE(document.canUndo());
    EXPECT_TRUE(document.saveEnabled()) << "a record the save left Modified still needs saving";
    victor().Modified = false;
    SetTrait(document, iris(), *FindTrait("trkNeat"), 800);
    document.removeCharacter(0);
    EXPECT_FALSE(document.canUndo());

    std::vector<std::unique_ptr<Sim>> repaired;
    repaired.push_back(person("User00009", 9, "Drifter", 0, 27));
    repaired.back()->Modified = true;  // the loading repaired it
    document.open(std::move(repaired), std::vector<std::optional<Bitmap>>(1), nullptr);
    EXPECT_TRUE(document.saveEnabled()) << "a repair made while loading is saved";
    EXPECT_FALSE(document.canUndo());
}

TEST_F(DocumentTest, AnObserverThatWentIsNotTold) {
    auto gone = std::make_unique<Document::Subscription>(document.subscribe([](const DocumentChange&) {
        ADD_FAILURE() << "told after it went";
    }));
    gone.reset();
    SetTrait(document, victor(), *FindTrait("trkNeat"), 800);
    EXPECT_FALSE(told.empty());
}

TEST_F(DocumentTest, MaxAllAndRandomLeaveValuesAtTheirTargetUntouched) {
    MaxAllTraits(document, victor(), TraitGroup::Skills);
    document.saved();
    victor().Modified = false;
    MaxAllTraits(document, victor(), TraitGroup::Skills);
    EXPECT_FALSE(victor().Modified);
    EXPECT_FALSE(document.canUndo());

    std::mt19937 generator(7);
    RandomTraits(document, tess(), TraitGroup::Interests, generator);
    EXPECT_EQ(tess().Romance, 0) << "a child has no adult interests";
    document.undo();
    EXPECT_EQ(tess().Travel, 0) << "the random draws of a group are one step";
}

TEST_F(DocumentTest, HouseAndJobEditsCarryThePagesSideEffects) {
    SetCareer(document, tess(), 5);
    EXPECT_EQ(tess().Career, kSchoolCareer) << "a child always goes to school";
    MaximizeJob(document, tess());
    EXPECT_EQ(tess().JobLevel, 0) << "a child's best job is the first school grade";
    EXPECT_EQ(tess().JobPerformance, 100);

    SetCareer(document, victor(), 0);
    EXPECT_THROW(SetJobLevel(document, victor(), 5), EditError) << "no career has only the first job";
    tess().AgeGroup = "dog";
    EXPECT_THROW(SetCareer(document, tess(), 3), EditError) << "a pet has no job";
    tess().AgeGroup = "child";

    SetGhost(document, victor(), true);
    EXPECT_EQ(victor().HauntAddress, 3) << "a ghost haunts its family's house";
    SetHauntAddress(document, victor(), 55);
    SetGhost(document, victor(), true);
    EXPECT_EQ(victor().HauntAddress, 55) << "choosing the state it is in changes nothing";
    EXPECT_THROW(SetHauntAddress(document, iris(), 9), EditError) << "only a ghost haunts";

    SetFame(document, victor(), FameSlider::Power, 7);
    EXPECT_EQ(victor().FameStarHighWatermark, 7);
    EXPECT_EQ(victor().FameScore, 1);
    SetFame(document, victor(), FameSlider::Score, 0);
    EXPECT_EQ(victor().FameStarHighWatermark, 0);
    EXPECT_EQ(victor().FameStarPower, 0) << "the watermark pulls the power down with it";
}

TEST_F(DocumentTest, CashIsSharedByTheHouseButMarksOnlyTheEditedCharacter) {
    SetFamilyCash(document, victor(), 99'999'999);
    EXPECT_EQ(tess().FamilyCash, 99'999'999);
    EXPECT_FALSE(tess().Modified);
    EXPECT_EQ(iris().FamilyCash, 500);
    EXPECT_THROW(SetFamilyCash(document, victor(), 100'000'000), EditError) << "more than the box's eight digits";
    iris().HouseNumber = 0;
    EXPECT_THROW(SetFamilyCash(document, iris(), 5), EditError) << "a family without a house";
    document.undo();
    EXPECT_EQ(tess().FamilyCash, 500);
}

TEST_F(DocumentTest, ChoosingTheLoadedHouseholdAgainTakesTheMoveBack) {
    MoveToHousehold(document, iris(), "Marlow", 3);
    EXPECT_TRUE(iris().FamilyChanged);
    EXPECT_TRUE(told.back().namesChanged) << "the list's texts follow";
    MoveToHousehold(document, iris(), "Vale", 7);
    EXPECT_FALSE(iris().FamilyChanged) << "no household to rewrite";
    EXPECT_EQ(iris().LastName, "Vale");
    EXPECT_EQ(iris().HouseNumber, 7);
}

TEST_F(DocumentTest, TheSecondSideOfARelationshipMarksTheOtherCharacter) {
    SimRelationShip& toward = victor().Relationships.front();
    SetRelationshipValue(document, victor(), toward, RelationshipSide::Back, RelationshipValue::Daily, 60);
    EXPECT_EQ(iris().Relationships.front().Daily, 60);
    EXPECT_TRUE(iris().Modified);
    EXPECT_FALSE(victor().Modified);
    MaxBothRelationships(document, victor(), toward);
    EXPECT_EQ(toward.Love, 1);
    EXPECT_EQ(iris().Relationships.front().Lifetime, 100);
    document.undo();
    EXPECT_EQ(toward.Daily, 10) << "Max Both is one step";
    SetAllRelationships(document, victor(), true, RelationshipValue::Daily, -30);
    EXPECT_EQ(toward.Daily, -30);
    EXPECT_EQ(iris().Relationships.front().Daily, -30);
}

}  // namespace
}  // namespace corvane
