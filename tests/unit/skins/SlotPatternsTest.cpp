#include "skins/SlotPatterns.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

SkinCodes adult(int level) {
    SkinCodes c;
    c.SkinAge = 27;
    c.Gender = 1;
    c.BodySize = "fat";
    c.SkinColor = 3;
    c.ExpansionLevel = level;
    c.BodyTexture = "b001fafatmed_casual";
    return c;
}

SkinCodes child(int level) {
    SkinCodes c = adult(level);
    c.SkinAge = 9;
    c.Gender = 0;
    c.BodySize = "chd";
    c.SkinColor = 2;
    c.AgeGroup = "child";
    return c;
}

TEST(SlotPatterns, CodesOfTheCharacter) {
    SkinCodes c = child(7);
    EXPECT_EQ(AgeLetter(c), 'c');
    EXPECT_EQ(GenderLetter(c), 'm');
    EXPECT_EQ(HandGenderLetter(c), 'u');
    EXPECT_EQ(SkinToneWord(c), "drk");
    c.SkinAge = 8;
    EXPECT_EQ(HandGenderLetter(c), 'm') << "only skin age 9 has either-gender hands";
    c.AgeGroup = "kat";
    EXPECT_EQ(PetWord(c), "cat");
    EXPECT_EQ(SeriesOf("  b123mafit_x"), "123");
}

TEST(SlotPatterns, MeshAndTextureMasksBySlot) {
    struct Case { const char* what; SkinCodes codes; SkinSlot slot; const char* mesh; const char* texture; };
    SkinCodes dog = adult(5);
    dog.AgeGroup = "dog";
    SkinCodes girl = child(7);
    girl.Gender = 1;
    const Case cases[] = {
        {"head", adult(7), SkinSlot::Head, "c***fa*.cmx", "c042famed*.bmp"},
        {"body", adult(7), SkinSlot::Body, "b***fafat*.cmx", "b042fafatmed*.bmp"},
        {"pet body", dog, SkinSlot::Body, "b***dog*.cmx", "b042dog*.bmp"},
        {"fashion", adult(7), SkinSlot::Fashion, "h***fafat*.cmx", "h042fafatmed*.bmp"},
        {"child swim below 4", child(3), SkinSlot::Swim, "n*chd_*.cmx", "umchddrk*.bmp"},
        {"child swim from 4", child(4), SkinSlot::Swim, "s***mcchd*.cmx", "s042mcchddrk*.bmp"},
        {"adult sleepwear at 3", adult(3), SkinSlot::Sleepwear, "l***fafat*.cmx", "l042fafatmed*.bmp"},
        {"adult pajamas at 2", adult(2), SkinSlot::Sleepwear, "pajamaffat_01.cmx", "Pajamafmed_casual*.bmp"},
        {"child pajamas at 3", child(3), SkinSlot::Sleepwear, "pjsmchd_01.cmx", "Pajamamdrk_casual*.bmp"},
        {"child sleepwear at 4", child(4), SkinSlot::Sleepwear, "l***mcchd*.cmx", "l042mcchddrk*.bmp"},
        {"open left hand, girl of 9", girl, SkinSlot::OpenHandLeft, "hulo*.cmx", "h**odrk*.bmp"},
        {"closed right hand", adult(7), SkinSlot::ClosedHandRight, "hfrc*.cmx", "h**cmed*.bmp"},
        {"formal left hand", adult(7), SkinSlot::FormalHandLeft, "*flo*.cmx", "h**o*.bmp"},
        {"nude adult at 7", adult(7), SkinSlot::Nude, "nffat_01.cmx", "nffatmed_casual*.bmp"},
        {"nude adult at 3", adult(3), SkinSlot::Nude, "nffat_*.cmx", "nffatmed*.bmp"},
        {"nude child at 4", child(4), SkinSlot::Nude, "n*chd_*.cmx", "n*chddrk*.bmp"},
        {"nude child at 3", child(3), SkinSlot::Nude, "n*chd_01.cmx", "n*chddrk*.bmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MeshMask(c.slot, c.codes), c.mesh) << c.what;
        EXPECT_EQ(TextureMask(c.slot, c.codes, "042"), c.texture) << c.what;
    }
    SkinCodes skinny = adult(7);
    skinny.BodySize = "skn";
    EXPECT_EQ(MeshMask(SkinSlot::Nude, skinny), "n*skn_01.cmx");
}

TEST(SlotPatterns, NamedDefaultTextures) {
    EXPECT_EQ(DefaultTexture(SkinSlot::OpenHandLeft, adult(7)), "huaomed");
    EXPECT_EQ(DefaultTexture(SkinSlot::PointingHandRight, adult(7)), "huapmed");
    EXPECT_EQ(DefaultTexture(SkinSlot::FormalHandRight, child(7)), "huaodrk");
    EXPECT_EQ(DefaultTexture(SkinSlot::Sleepwear, child(3)), "Pajamamdrk_casual");
    EXPECT_EQ(DefaultTexture(SkinSlot::Sleepwear, adult(3)), std::nullopt);
    EXPECT_EQ(DefaultTexture(SkinSlot::Nude, child(7)), "nuchddrk_01");
    EXPECT_EQ(DefaultTexture(SkinSlot::Nude, adult(4)), "nffatmed_01");
    EXPECT_EQ(DefaultTexture(SkinSlot::Nude, adult(6)), "nffatmed_casual");
    EXPECT_EQ(DefaultTexture(SkinSlot::Head, adult(7)), std::nullopt);
}

}  // namespace
}  // namespace corvane
