#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "support/EnvOverride.h"
#include "support/TempDir.h"

namespace corvane::shelltest {

namespace fs = std::filesystem;

inline void writeText(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

inline std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    EXPECT_TRUE(in.good()) << file;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names directly in a folder, sorted.
inline std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// A whole-second file time long past, so a copy that fails to keep the time shows.
inline fs::file_time_type yearsAgo(int years) {
    const auto now = std::chrono::time_point_cast<std::chrono::seconds>(fs::file_time_type::clock::now());
    return now - std::chrono::hours(24 * 365 * years);
}

// Every test gets its own folder, with the home trash inside it.
class ShellTest : public ::testing::Test {
protected:
    const fs::path& root() const { return temp_.path(); }
    fs::path homeTrash() const { return root() / "data" / "Trash"; }

private:
    test::TempDir temp_;
    test::EnvOverride dataHome_{"XDG_DATA_HOME", (temp_.path() / "data").string()};
};

inline dev_t deviceOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_dev;
}

// A fresh folder on another file system than `comparedWith` (/dev/shm is a
// tmpfs on most machines), or nothing when the machine has none.
inline std::unique_ptr<test::TempDir> tempDirOnOtherFileSystem(const fs::path& comparedWith) {
    std::error_code ec;
    if (!fs::is_directory("/dev/shm", ec)) {
        return nullptr;
    }
    test::EnvOverride tmpdir("TMPDIR", "/dev/shm");
    auto folder = std::make_unique<test::TempDir>();
    return deviceOf(folder->path()) != deviceOf(comparedWith) ? std::move(folder) : nullptr;
}

}  // namespace corvane::shelltest
