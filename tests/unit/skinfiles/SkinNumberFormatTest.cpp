#include "skins/SkinNumberFormat.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>


namespace corvane {
namespace {

TEST(SkinNumberFormat, GeneralRealsOfWidenedSingles) {
    struct Case { float value; const char* text; };
    for (auto [value, text] : {Case{0.1f, "0.100000001490116"}, Case{0.0f, "0"}, Case{1.5f, "1.5"}, Case{-2.0f, "-2"},
                               Case{1e-6f, "9.99999997475243E-7"}, Case{-5.88894e-05f, "-0.0000588893999520224"},
                               Case{0.00002f, "0.0000199999994947575"}, Case{9e-6f, "9.0000003183377E-6"}, Case{123456.0f, "123456"},
                               Case{1e20f, "1.00000002004088E20"}, Case{0.5f, "0.5"}}) {
        EXPECT_EQ(FormatGeneralReal(value), text) << value;
    }
    EXPECT_EQ(FormatGeneralReal(0.000001), "1E-6");
    EXPECT_EQ(FormatGeneralReal(0.00001), "0.00001") << "exponent form only below 0.00001";
    EXPECT_EQ(FormatGeneralReal(123456789012345.0), "123456789012345");
    EXPECT_EQ(FormatGeneralReal(1234567890123456.0), "1.23456789012346E15");
}

TEST(SkinNumberFormat, TwoDecimalsAndMeshReals) {
    struct Case { double value; const char* twoDecimals; const char* mesh; };
    for (auto [value, two, mesh] : {Case{0, "0", "0.0"}, Case{1, "1", "1.0"}, Case{0.5, "0.5", "0.5"},
                                    Case{0.125, "0.13", "0.125"}, Case{-0.123456789, "-0.12", "-0.1234568"},
                                    Case{2.999, "3", "2.999"}, Case{-0.001, "0", "-0.001"},
                                    Case{12.00000005, "12", "12.0000001"}, Case{-0.00000001, "0", "0.0"}}) {
        EXPECT_EQ(FormatTwoDecimals(value), two) << value;
        EXPECT_EQ(FormatMeshReal(value), mesh) << value;
    }
    // Damaged binaries may hold values that are no numbers; every format spells them alike.
    for (auto [value, text] : {std::pair{std::numeric_limits<double>::quiet_NaN(), "NAN"},
                               std::pair{std::numeric_limits<double>::infinity(), "INF"},
                               std::pair{-std::numeric_limits<double>::infinity(), "-INF"}}) {
        EXPECT_EQ(FormatGeneralReal(value), text);
        EXPECT_EQ(FormatTwoDecimals(value), text);
        EXPECT_EQ(FormatMeshReal(value), text);
    }
    float translation[3] = {0, 1.5f, -2};
    EXPECT_EQ(FormatVectorLine(translation, 3), "| 0 1.5 -2 |");
}

}  // namespace
}  // namespace corvane
