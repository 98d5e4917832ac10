#include "skins/SkinNames.h"
#include "skins/WildcardMask.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(SkinNames, GrammarAcceptsSkinsAndRejectsTheRest) {
    for (const char* name : {"b001mafit_casual.cmx", "huaolgt.bmp", "gmlo_glove.cmx", "nmfit_01.cmx", "pjsmchd_01.cmx",
                             "pajamaffit_01.cmx", "xskin-b001mafit_casual-pelvis-body.skn", "c003ma_romancrew.cmx",
                             "ufchdlgt_01.bmp", "l001mafit_pj.cmx", "w100facfit_coat.cmx"}) {
        EXPECT_TRUE(IsSkinFileName(name)) << name;
    }
    for (const char* name : {"child-censor.cmx", "child-skeleton.cmx", "adult-skeleton.cmx", "dog_skeleton.cmx",
                             "uuo.bmp", "gmxx_glove.cmx", "nx.cmx", "pxx.cmx", "", "xski.skn", "a.bmp"}) {
        EXPECT_FALSE(IsSkinFileName(name)) << name;
    }
    EXPECT_TRUE(PassesSkinNameRules("child-censor.cmx")) << "archives keep names beginning with child";
}

TEST(SkinNames, TextFilters) {
    EXPECT_EQ(StripNameChars("My Skin #1.cmx"), "MySkin1cmx");
    EXPECT_EQ(StripNameChars("a-b_c\x01\xE9"), "a-b_c\x01\xE9") << "control and code-page characters stay";
    EXPECT_EQ(StripMarkupChars("a<b>"), "ab");
    EXPECT_EQ(StripMarkupChars("a-b_c"), "a-b_c");
    EXPECT_EQ(StripMarkupChars("\"x/[y]\\{z}"), "xyz");
}

TEST(SkinNames, MasksMatchIgnoringCase) {
    struct Case { const char* mask; const char* name; bool matches; };
    for (auto [mask, name, matches] :
         {Case{"*.cmx", "B001MAFit_01.CMX", true}, Case{"b***mafit*.cmx", "b001mafit_01.cmx", true},
          Case{"b***mafit*.cmx", "b001fafit_01.cmx", false}, Case{"h**o*.bmp", "huaolgt.bmp", true},
          Case{"h**o*.bmp", "huaplgt.bmp", false}, Case{"*", "", true}, Case{"?", "", false},
          Case{"n*chd_*.cmx", "nuchd_01.cmx", true}, Case{"*.*", "noextension", true},
          Case{"*a*b*c", "xxaxxbxxbxc", true}}) {
        EXPECT_EQ(MatchesMask(mask, name), matches) << mask << " ~ " << name;
    }
}

}  // namespace
}  // namespace corvane
