// The game's own files, when the shared folder of samples is there: an extra
// check of the readers against the real thing (the synthetic fixtures carry
// the tests proper).
#include "TestPaths.h"
#include "platform/TextLines.h"
#include "skins/CharacterFileCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

const std::filesystem::path kRealData = CORVANE_REALDATA_DIR;

std::vector<std::filesystem::path> realFiles(const std::string& extension) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(kRealData)) {
        for (const auto& entry : std::filesystem::directory_iterator(kRealData)) {
            if (entry.path().extension() == extension) files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool isSkeletonFile(const std::filesystem::path& file) {
    return file.filename().string().find("skeleton") != std::string::npos;
}

TEST(RealFiles, TheGamesCharacterFilesPassTheCheck) {
    const auto meshFiles = realFiles(".skn");
    int checked = 0;
    for (const auto& file : realFiles(".cmx")) {
        if (isSkeletonFile(file)) continue;
        ++checked;
        ProblemList problems;
        EXPECT_TRUE(CheckCharacterFile(file, CheckMode::Validation, KnownMeshes(meshFiles, {}), nullptr, &problems))
            << file;
        EXPECT_TRUE(problems.empty()) << file;

        CheckCharacterFile(file, CheckMode::Validation, KnownMeshes({}, {}), nullptr, &problems);
        ASSERT_EQ(problems.size(), 1u) << file;
        EXPECT_EQ(problems[0].Kind, "MissingSKN") << file;
    }
    if (checked == 0) {
        GTEST_SKIP() << "the game's sample files are not here";
    }
}

// The skeleton reader counts lines: a bone block has 10 lines, 13 with its
// property (the adult skeleton's second bone, the child's first).
TEST(RealFiles, TheSkeletonsHaveTheBlockSizesOfTheirKind) {
    int checked = 0;
    for (const auto& file : realFiles(".cmx")) {
        if (!isSkeletonFile(file)) continue;
        ++checked;
        const auto lines = ReadTextFileLines(file);
        ASSERT_GT(lines.size(), 5u) << file;
        const std::string kind = lines[3];
        const int bones = std::stoi(lines[4]);
        const int propertyBone = kind == "adult" ? 1 : 0;
        std::size_t block = 5;
        for (int bone = 0; bone < bones; ++bone) {
            const std::size_t translation = bone == propertyBone ? 6 : 3;
            ASSERT_LT(block + translation + 1, lines.size()) << file << " bone " << bone;
            EXPECT_EQ(lines[block + translation].substr(0, 2), "| ") << file << " bone " << lines[block];
            EXPECT_EQ(lines[block + translation + 1].substr(0, 2), "| ") << file << " bone " << lines[block];
            block += bone == propertyBone ? 13 : 10;
        }
        EXPECT_EQ(lines.size(), block + 2) << file;
    }
    if (checked == 0) {
        GTEST_SKIP() << "the game's sample files are not here";
    }
}

}  // namespace
}  // namespace corvane
