#include "sim/SkinEdits.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::unique_ptr<Sim> dressed(const char* file, int age, const char* ageGroup) {
    auto sim = std::make_unique<Sim>();
    sim->FileName = file;
    sim->Age = age;
    sim->SkinAge = age;
    sim->AgeGroup = ageGroup;
    sim->SkinColor = 1;
    sim->BodyMesh = "B001MAFit_01";
    sim->BodyTexture = "B001MAFitlgt_casual";
    sim->HeadMesh = "c001ma_bob";
    sim->HeadTexture = "c001malgt_bob";
    sim->PajamaTexture = "Pajamamlgt_casual";
    return sim;
}

Document openWith(int level, std::unique_ptr<Sim> sim) {
    Document document(level);
    std::vector<std::unique_ptr<Sim>> characters;
    characters.push_back(std::move(sim));
    document.open(std::move(characters), std::vector<std::optional<Bitmap>>(1), nullptr);
    document.select(0);
    return document;
}

TEST(SkinEditsTest, ANameDifferingOnlyInLetterCaseChangesNothing) {
    Document document = openWith(7, dressed("User00001", 27, "adult"));
    Sim& sim = *document.current();
    DressSlot(document, sim, SkinSlot::Body, {"b001mafit_01", "b001mafitlgt_CASUAL", true});
    EXPECT_EQ(sim.BodyMesh, "B001MAFit_01");
    EXPECT_FALSE(sim.Modified);
    EXPECT_FALSE(document.canUndo()) << "the same texture picked again is no step";

    DressSlot(document, sim, SkinSlot::Formal, {"f001mafit_01", "f001mafitlgt_suit", true});
    EXPECT_EQ(sim.FormalMesh, "f001mafit_01");
    EXPECT_EQ(sim.FormalTexture, "f001mafitlgt_suit");
    EXPECT_TRUE(sim.Modified);
    EXPECT_FALSE(sim.ResetThumbnail) << "an outfit does not show in the pictures";
    ASSERT_TRUE(document.undo());
    EXPECT_TRUE(sim.FormalMesh.empty());
    EXPECT_FALSE(sim.Modified);
}

TEST(SkinEditsTest, ANewHeadOrAPetsNewCoatRenewsThePictures) {
    struct Case {
        const char* what;
        const char* ageGroup;
        SkinSlot slot;
        SkinPick pick;
        bool renewed;
    };
    const Case cases[] = {
        {"head texture", "adult", SkinSlot::Head, {"c001ma_bob", "c002malgt_ann"}, true},
        {"head mesh", "adult", SkinSlot::Head, {"c002ma_ann", "c001malgt_bob"}, true},
        {"person's body", "adult", SkinSlot::Body, {"B001MAFit_01", "b002mafitlgt_sporty"}, false},
        {"dog's coat", "dog", SkinSlot::Body, {"B001MAFit_01", "b001dog_brown"}, true},
        {"dog's body mesh only", "dog", SkinSlot::Body, {"b001dog_01", "B001MAFitlgt_casual"}, false},
    };
    for (const Case& c : cases) {
        Document document = openWith(7, dressed("User00001", 27, c.ageGroup));
        DressSlot(document, *document.current(), c.slot, c.pick);
        EXPECT_EQ(document.current()->ResetThumbnail, c.renewed) << c.what;
    }
}

TEST(SkinEditsTest, ALooseBodyTextureBringsItsPajamasOnlyWithoutSleepwear) {
    struct Case {
        int level;
        int age;
        bool loose;
        const char* pajamas;
    };
    const Case cases[] = {
        {2, 27, true, "Pajamamlgt_sporty"},   // an adult before sleepwear
        {3, 27, true, "Pajamamlgt_casual"},   // adults have sleepwear from the third pack
        {3, 8, true, "Pajamamlgt_sporty"},    // children only from the fourth
        {4, 8, true, "Pajamamlgt_casual"},
        {2, 27, false, "Pajamamlgt_casual"},  // a texture from the archives leaves the pajamas
    };
    for (const Case& c : cases) {
        Document document = openWith(c.level, dressed("User00001", c.age, c.age < 10 ? "child" : "adult"));
        DressSlot(document, *document.current(), SkinSlot::Body, {"b002mafit_01", "b002mafitlgt_sporty", c.loose});
        EXPECT_EQ(document.current()->PajamaTexture, c.pajamas) << "level " << c.level << ", age " << c.age;
    }
}

TEST(SkinEditsTest, EverySlotHasItsOwnFields) {
    Sim sim;
    for (int slot = 0; slot <= static_cast<int>(SkinSlot::FormalHandRight); ++slot) {
        const SlotFields fields = FieldsOfSlot(static_cast<SkinSlot>(slot));
        sim.*fields.mesh += "m" + std::to_string(slot);
        sim.*fields.texture += "t" + std::to_string(slot);
    }
    int filled = 0;
    for (const SkinField& field : SkinFields()) filled += (sim.*field.field).size() == 2 || (sim.*field.field).size() == 3;
    EXPECT_EQ(filled, 32) << "sixteen slots, two fields each, none shared";
}

}  // namespace
}  // namespace corvane
