#include "platform/Base64.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane {
namespace {

std::vector<std::uint8_t> bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

TEST(Base64, EncodesTheStandardVectors) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},         {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, coded] : cases) {
        EXPECT_EQ(EncodeBase64(bytes(plain)), coded) << plain;
        EXPECT_EQ(DecodeBase64(coded), bytes(plain)) << coded;
    }
    EXPECT_EQ(EncodeBase64(std::vector<std::uint8_t>{0xFB, 0xFF, 0xBF}), "+/+/");
}

TEST(Base64, EveryByteRoundTripsAndLineBreaksAreIgnored) {
    std::vector<std::uint8_t> all(1000);
    std::mt19937 random(3);
    for (auto& b : all) b = static_cast<std::uint8_t>(random());
    std::string coded = EncodeBase64(all);
    for (std::size_t at = 76; at < coded.size(); at += 78) coded.insert(at, "\r\n");
    EXPECT_EQ(DecodeBase64(" " + coded + "\n"), all);
}

TEST(Base64, TextThatIsNotBase64DecodesToNothing) {
    for (const char* bad : {"Zg=", "Zg", "Z===", "Zm9v!", "Zg==Zg==", "=Zg=", "Zm9-", "Zm9v\x80"}) {
        EXPECT_FALSE(DecodeBase64(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace corvane
