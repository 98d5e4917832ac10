#include "platform/TouchFile.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <ctime>

#include "ShellTestFiles.h"

namespace corvane {
namespace {

using namespace shelltest;

using TouchFileTest = ShellTest;

TEST_F(TouchFileTest, StampsAccessAndWriteTimeWithNowAtTwoSecondResolution) {
    const fs::path file = root() / "b001fafitlgt_01.bmp";
    writeText(file, "texture");
    const std::array<timespec, 2> odd{timespec{1'000'000'001, 123'456'789}, timespec{1'000'000'003, 987'654'321}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), odd.data(), 0), 0);

    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(TouchFile(file));
    const std::time_t after = std::time(nullptr);

    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mtim.tv_nsec, 0);
    EXPECT_EQ(info.st_atim.tv_nsec, 0);
    EXPECT_EQ(info.st_atim.tv_sec, info.st_mtim.tv_sec);
    EXPECT_GE(info.st_mtim.tv_sec, before - 1) << "even second at or just before the call";
    EXPECT_LE(info.st_mtim.tv_sec, after);
    std::tm local{};
    localtime_r(&info.st_mtim.tv_sec, &local);
    EXPECT_EQ(local.tm_sec % 2, 0) << "a DOS time holds even seconds only";
}

TEST(AtDosTimeResolutionTest, MakesTheLocalSecondsEvenNotTheUtcOnes) {
    {
        test::EnvOverride zone("TZ", "ODD-00:00:01");  // local time one second ahead of UTC
        tzset();
        const std::time_t evenUtc = 1'000'000'000;
        EXPECT_EQ(AtDosTimeResolution(evenUtc), evenUtc - 1);
        EXPECT_EQ(AtDosTimeResolution(evenUtc + 1), evenUtc + 1);
    }
    tzset();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::time_t even = now - local.tm_sec % 2;
    EXPECT_EQ(AtDosTimeResolution(even), even);
    EXPECT_EQ(AtDosTimeResolution(even + 1), even);
}

TEST_F(TouchFileTest, FailsForAMissingFile) {
    EXPECT_FALSE(TouchFile(root() / "missing.bmp"));
    EXPECT_FALSE(TouchFile(root() / "no folder" / "missing.bmp"));
    EXPECT_FALSE(fs::exists(root() / "missing.bmp")) << "touching never creates a file";
}

}  // namespace
}  // namespace corvane
