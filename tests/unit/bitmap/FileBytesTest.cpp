#include "platform/FileBytes.h"
#include "platform/RegularFile.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>

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

// A FIFO without a writer would block the open for ever: every reader of
// game files goes through here, so none may wait on one.
TEST_F(FileBytesTest, OnlyRegularFilesAreOpenedAndTheOthersAreNamedWithWhatTheyAre) {
    ASSERT_EQ(::mkfifo((folder_ / "fifo.cmx").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder_ / "fifo.cmx", folder_ / "neighborhood.iff");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (folder_ / "socket.skn").string();
    ASSERT_LT(socketPath.size(), sizeof(address.sun_path));
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    const struct {
        std::filesystem::path path;
        const char* cause;
    } cases[] = {
        {folder_ / "fifo.cmx", "not a regular file (a FIFO)"},
        {folder_ / "neighborhood.iff", "not a regular file (a FIFO)"},  // a link to one
        {folder_ / "socket.skn", "not a regular file (a socket)"},
        {"/dev/null", "not a regular file (a character device)"},
        {folder_, "Is a directory"},
        {folder_ / "missing.cvp", "No such file or directory"},
    };
    for (const auto& c : cases) {
        try {
            ReadFileBytes(c.path);
            ADD_FAILURE() << "read " << c.path;
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()), "cannot read " + c.path.string() + ": " + c.cause);
        }
    }
    ::close(listener);
}

TEST_F(FileBytesTest, ARangeReadStopsWhereTheFileEnds) {
    std::ofstream(folder_ / "short.far", std::ios::binary) << "0123456789";
    const RegularFile file(folder_ / "short.far");
    EXPECT_EQ(file.size(), 10u);
    const std::vector<std::uint8_t> tail = file.read(7, 100);
    EXPECT_EQ(std::string(tail.begin(), tail.end()), "789");
    EXPECT_TRUE(file.read(50, 4).empty());
}

}  // namespace
}  // namespace corvane
