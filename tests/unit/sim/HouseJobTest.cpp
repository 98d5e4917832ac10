#include "sim/HouseJob.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(HouseJob, CareerNumbersSkipEleven) {
    EXPECT_EQ(CareerForIndex(10), 10);
    EXPECT_EQ(CareerForIndex(11), 12);
    EXPECT_EQ(CareerForIndex(12), 13);
    EXPECT_EQ(IndexForCareer(13), 12);
    EXPECT_EQ(IndexForCareer(21), 20);
    struct Case { int age; int level; int offered; };
    for (auto [age, level, offered] : {Case{9, 7, 1}, Case{27, 0, 11}, Case{27, 1, 16}, Case{27, 4, 16},
                                       Case{27, 5, 21}, Case{27, 7, 21}, Case{8, 7, 21}}) {
        EXPECT_EQ(OfferedCareers(age, level), offered) << age << " " << level;
    }
}

TEST(HouseJob, JobTitlesByCareer) {
    EXPECT_EQ(JobTitleIds(0, false), std::vector<int>{2200});
    EXPECT_EQ(JobTitleIds(13, false).front(), 1300);
    EXPECT_EQ(JobTitleIds(13, false).back(), 1309);
    EXPECT_EQ(JobTitleIds(kSchoolCareer, true).front(), 1100);
    EXPECT_EQ(JobTitleIds(0, true).size(), 10u) << "children see the school titles whatever the career";
}

TEST(HouseJob, FamilyListOwnFamilyFirstThenHousesOnce) {
    Sim own, a, b, c;
    own.LastName = "Drifter";
    a.LastName = "Marlow";
    a.HouseNumber = 3;
    b.LastName = "Marlow";
    b.HouseNumber = 3;
    c.LastName = "Vale";
    c.HouseNumber = 7;
    EXPECT_EQ(FamilyListTexts(own, {&a, &own, &b, &c}, "Drifter", 0),
              (std::vector<std::string>{"Drifter : 0", "Marlow : 3", "Vale : 7"}));
    // Moved out of a household it was alone in: that household is still offered.
    own.LastName = "Vale";
    own.HouseNumber = 7;
    EXPECT_EQ(FamilyListTexts(own, {&a, &own, &b, &c}, "Drifter", 0),
              (std::vector<std::string>{"Vale : 7", "Drifter : 0", "Marlow : 3"}));
    EXPECT_EQ(ParseFamilyText("Van der Berg : 12"), (std::pair<std::string, std::int32_t>{"Van der Berg", 12}));
    EXPECT_FALSE(ParseFamilyText("no house"));
}

TEST(HouseJob, CashTypingAndStars) {
    EXPECT_EQ(FilterCash("12a4"), "1204");
    EXPECT_EQ(FilterCash("-5"), "05");
    EXPECT_EQ(FilterCash("1\u00a3"), "10") << "one character, however many bytes, is one 0";
    EXPECT_EQ(FilterCash("9999999\u20ac"), "99999990");
    EXPECT_EQ(FilterCash("123456789"), "12345678") << "what the eight-character box holds";
    EXPECT_EQ(CashValue("1204"), 1204);
    EXPECT_EQ(CashValue(""), 0);
    EXPECT_EQ(CashValue("99999999999"), 0) << "out of range";
    EXPECT_EQ(Stars(7), "3.5");
    EXPECT_EQ(Stars(6), "3");
}

TEST(HouseJob, FameSlidersStayConsistent) {
    Fame raised = AfterPowerMoved({0, 6, 2});
    EXPECT_EQ(raised.watermark, 6);
    EXPECT_EQ(raised.score, 1);
    Fame lowered = AfterWatermarkMoved({500, 6, 4});
    EXPECT_EQ(lowered.power, 4);
    Fame dropped = AfterScoreMoved({0, 6, 8});
    EXPECT_EQ(dropped.watermark, 0);
    EXPECT_EQ(dropped.power, 0);
    Fame kept = AfterScoreMoved({0, 0, 8});
    EXPECT_EQ(kept.watermark, 8) << "without star power the score may be 0";
}

}  // namespace
}  // namespace corvane
