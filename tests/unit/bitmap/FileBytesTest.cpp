#include "platform/FileBytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

namespace corvane {
namespace {

class FileBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("corvane-filebytes-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path folder_;
};

TEST_F(FileBytesTest, ReadsEveryByteIncludingZerosAndLineEnds) {
    const std::string content("BM\0\r\n\x1A\xFF", 7);
    std::ofstream(folder_ / "tex.bmp", std::ios::binary) << content;

    auto bytes = ReadFileBytes(folder_ / "tex.bmp");

    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);
}

TEST_F(FileBytesTest, FailureNamesThePath) {
    for (const auto& path : {folder_ / "missing.bmp", folder_}) {
        try {
            ReadFileBytes(path);
            ADD_FAILURE() << "read " << path;
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(path.string()), std::string::npos) << error.what();
        }
    }
}

}  // namespace
}  // namespace corvane
