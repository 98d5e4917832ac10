#include "app/VersionText.h"

#include <gtest/gtest.h>

#include <regex>

namespace corvane {
namespace {

TEST(VersionText, HasTheReleaseAndBuildLayout) {
    EXPECT_TRUE(std::regex_match(GetVersionText(), std::regex(R"(\d+\.\d+\.\d+  \(Build \d+\))")))
        << GetVersionText();
}

}  // namespace
}  // namespace corvane
