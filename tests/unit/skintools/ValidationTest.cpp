#include "skintools/SkinValidation.h"
#include "skintools/TextureCheck.h"

#include "ValidationSupport.h"
#include "demo/SkinFileWriters.h"
#include "skins/SkinCatalogue.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using ValidationTest = test::SkinToolsTest;

struct TextureCase {
    const char* fault;
    int width;
    int height;
    int depth;  // 24 or 8
    const char* kind;  // "" for no finding
    const char* detail;  // the description after the path
};

TEST_F(ValidationTest, TexturesAreJudgedBySidesAndColoursWithTheSizeAllowance) {
    const TextureCase cases[] = {
        {"true_colour_256_is_too_big", 256, 256, 24, "BmpColors",
         "\r\n24 Bit Color\r\nNumber of colors is incorrect. It should be 8 Bit (256 Colors)"},
        {"eight_bit_256_passes", 256, 256, 8, "", ""},
        {"small_true_colour_passes_by_negative_allowance", 16, 16, 24, "", ""},
        {"sides_of_100_are_no_power_of_two", 100, 100, 8, "BmpDimensions",
         "\r\n\r\n100 X 100\r\n\r\nDimensions are incorrect."},
        {"2048_is_too_wide_whatever_the_colours", 2048, 2, 24, "BmpDimensions",
         "\r\n\r\n2048 X 2\r\n\r\nDimensions are incorrect."},
        {"one_pixel_is_too_narrow", 1, 64, 8, "BmpDimensions", "\r\n\r\n1 X 64\r\n\r\nDimensions are incorrect."},
    };
    for (const TextureCase& c : cases) {
        SCOPED_TRACE(c.fault);
        const std::string name = std::string("GameData/Skins/") + c.fault + ".bmp";
        const auto file = c.depth == 8 ? writeBmp8(name, c.width, c.height) : writeBmp24(name, c.width, c.height);
        const auto finding = CheckTexture(file);
        if (std::string(c.kind).empty()) {
            EXPECT_FALSE(finding.has_value());
            continue;
        }
        ASSERT_TRUE(finding.has_value());
        EXPECT_EQ(finding->Kind, c.kind);
        EXPECT_EQ(finding->FileName, std::string(c.fault) + ".bmp");
        EXPECT_EQ(finding->Folder, (game.root() / "GameData" / "Skins").string() + "/");
        EXPECT_EQ(finding->Description, file.string() + c.detail);
    }
}

TEST_F(ValidationTest, AllowanceIsKilobytesTimesThousandLessFiveThousand) {
    // 196662 bytes are 192 KB: 187000 allowed, 65590 needed.
    EXPECT_EQ(TextureAllowance(192), 187000);
    EXPECT_EQ(TextureAllowance(2), -3000);
    // A 4-bit 64 x 64 texture of 2 KB: its allowance is negative, so it passes.
    EXPECT_FALSE(JudgeTexture("x.bmp", 2, 64, 64, 4).has_value());
    EXPECT_EQ(JudgeTexture("x.bmp", 192, 256, 256, 16)->Kind, "BmpColors");
    EXPECT_FALSE(JudgeTexture("x.bmp", 192, 256, 256, 8).has_value()) << "8-bit passes whatever its size";
    EXPECT_FALSE(JudgeTexture("x.bmp", 70, 256, 256, 24).has_value()) << "65590 >= 65000: no bigger than 8-bit";
    EXPECT_EQ(JudgeTexture("x.bmp", 71, 256, 256, 24)->Kind, "BmpColors") << "65590 < 66000";
}

TEST_F(ValidationTest, UnreadableTexturesAreSkipped) {
    EXPECT_FALSE(CheckTexture(game.writeText("GameData/Skins/broken.bmp", "BM")).has_value());
    EXPECT_FALSE(CheckTexture(game.root() / "GameData/Skins/gone.bmp").has_value());
}

TEST_F(ValidationTest, AHugeSparseTextureIsJudgedFromTheBytesItsPictureNeeds) {
    const fs::path file = writeBmp24("GameData/Skins/sparse.bmp", 8, 8);
    const auto pictureBytes = fs::file_size(file);
    fs::resize_file(file, std::uintmax_t{2} << 30);  // 2 GB, nearly all of it a hole
    EXPECT_EQ(TextureBytesToDecode(RegularFile(file)).size(), pictureBytes);
    const auto finding = CheckTexture(file);
    ASSERT_TRUE(finding.has_value());
    EXPECT_EQ(finding->Kind, "BmpColors") << "its size allows far more than 8-bit pixels";
}

TEST_F(ValidationTest, CharacterFileProblemsComeFirstThenTexturesInListingOrder) {
    game.installation(7);
    game.writeText("GameData/Skins/xskin-b001-PELVIS-BODY.skn", "mesh");
    game.writeText("GameData/Skins/b001mafit_01.cmx",
                   JoinCrLf(CharacterFileLines(SampleSuit("b001mafit_01", "PELVIS", "xskin-b001-PELVIS-BODY"))));
    game.writeText("GameData/Skins/b002mafit_01.cmx",
                   JoinCrLf(CharacterFileLines(SampleSuit("b002mafit_old", "PELVIS", "xskin-b001-PELVIS-BODY"))));
    writeBmp24("GameData/Skins/b002mafitlgt_01.bmp", 100, 64);
    writeBmp24("ExpansionShared/Skins/b003mafitlgt_01.bmp", 128, 128);
    writeBmp8("ExpansionShared/Skins/b004mafitlgt_01.bmp", 128, 128);

    SkinCatalogue catalogue;
    const ValidationResult result = ValidateSkins(SkinFolders(game.root(), 7), catalogue, control);

    EXPECT_FALSE(result.stopped);
    std::vector<std::string> found;
    for (const auto& problem : result.problems) found.push_back(problem.Kind + " " + problem.FileName);
    EXPECT_EQ(found, (std::vector<std::string>{"BadName b002mafit_01.cmx", "BmpDimensions b002mafitlgt_01.bmp",
                                               "BmpColors b003mafitlgt_01.bmp"}));
    EXPECT_TRUE(catalogue.complete()) << "the catalogue is rebuilt for the check";
}

TEST_F(ValidationTest, StoppingKeepsWhatWasFound) {
    game.installation(0);
    writeBmp24("GameData/Skins/a.bmp", 100, 100);
    writeBmp24("GameData/Skins/b.bmp", 100, 100);
    writeBmp24("GameData/Skins/c.bmp", 100, 100);
    int asked = 0;
    // No character files: asked before each texture; the third is never checked.
    const ScanControl stopping{progress, [&] { return ++asked > 2; }};
    SkinCatalogue catalogue;
    const ValidationResult result = ValidateSkins(SkinFolders(game.root(), 0), catalogue, stopping);
    EXPECT_TRUE(result.stopped);
    ASSERT_EQ(result.problems.size(), 2u);
    EXPECT_EQ(result.problems[1].FileName, "b.bmp");
}

TEST_F(ValidationTest, ClosingAnEditorRemovesEveryProblemOfThatFile) {
    ProblemList problems{{"x.cmx", "/g/a/", "", "BadName"},
                         {"y.cmx", "/g/a/", "", "BadName"},
                         {"x.cmx", "/g/a/", "", "MissingSKN"},
                         {"x.cmx", "/g/b/", "", "BadName"}};
    const ProblemRecordDetails handled = problems[2];
    EXPECT_EQ(RemoveProblemsOfFile(problems, problems[0]), (std::vector<std::size_t>{2, 0}))
        << "the handled record may be the list's own";
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].FileName, "y.cmx");
    EXPECT_EQ(problems[1].Folder, "/g/b/");
    EXPECT_TRUE(RemoveProblemsOfFile(problems, handled).empty());
}

TEST_F(ValidationTest, EachKindOpensItsRepair) {
    EXPECT_EQ(RepairFor({"", "", "", "BmpColors"}), ProblemRepair::ColourEditor);
    EXPECT_EQ(RepairFor({"", "", "", "BmpDimensions"}), ProblemRepair::ShowDescription);
    EXPECT_EQ(RepairFor({"", "", "", "BadName"}), ProblemRepair::CharacterFileEditor);
    EXPECT_EQ(RepairFor({"", "", "", "MissingSKN"}), ProblemRepair::CharacterFileEditor);
}

}  // namespace
}  // namespace corvane
