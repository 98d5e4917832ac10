#include "skintools/DuplicateSearch.h"
#include "skintools/ReferenceFolderDuplicates.h"

#include "ValidationSupport.h"
#include "skins/SkinCatalogue.h"

#include <gtest/gtest.h>

#include <random>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using DuplicateSearchTest = test::SkinToolsTest;

// "Kind FileName <- Folder | Description", one per record, to compare lists whole.
std::vector<std::string> described(const ProblemList& findings) {
    std::vector<std::string> lines;
    for (const auto& f : findings) lines.push_back(f.Kind + " " + f.FileName + " <- " + f.Folder + " | " + f.Description);
    return lines;
}

std::vector<std::string> copiesFound(const std::vector<fs::path>& files) {
    SilentProgress progress;
    ProblemList findings;
    EXPECT_TRUE(AppendFolderDuplicates(files, ScanControl{progress, {}}, findings));
    std::vector<std::string> found;
    for (const auto& f : findings) found.push_back(f.Folder + f.FileName);
    return found;
}

TEST_F(DuplicateSearchTest, TwoCopiesGiveARecordForEach) {
    const fs::path a = "/g/GameData/Skins/b001mafit_01.cmx";
    const fs::path b = "/g/ExpansionShared/Skins/B001MAFIT_01.CMX ";
    EXPECT_EQ(copiesFound({a, b}), (std::vector<std::string>{b.string(), a.string()}));
    ProblemList findings;
    ASSERT_TRUE(AppendFolderDuplicates({a, b}, control, findings));
    EXPECT_EQ(findings[0].Kind, "Duplicate");
    EXPECT_EQ(findings[0].Description, b.string() + "\r\nis a copy of " + a.string());
}

TEST_F(DuplicateSearchTest, ThreeCopiesGiveTheLastTwiceAndTheMiddleOnce) {
    const fs::path a = "/g/GameData/Skins/x.bmp";
    const fs::path b = "/g/ExpansionPack2/Skins/x.bmp";
    const fs::path c = "/g/Deluxe/Skins/x.bmp";
    EXPECT_EQ(copiesFound({a, b, c}), (std::vector<std::string>{c.string(), c.string(), b.string()}));
}

TEST_F(DuplicateSearchTest, OneFileListedTwiceIsNoDuplicate) {
    EXPECT_TRUE(copiesFound({"/g/GameData/Skins/x.bmp", "/g/GameData/Skins/x.bmp"}).empty());
    // ... but a copy elsewhere is the copy of both, and both listings are its copies.
    EXPECT_EQ(copiesFound({"/g/GameData/Skins/x.bmp", "/g/Deluxe/Skins/x.bmp", "/g/GameData/Skins/x.bmp"}),
              (std::vector<std::string>{"/g/Deluxe/Skins/x.bmp", "/g/GameData/Skins/x.bmp", "/g/Deluxe/Skins/x.bmp"}));
    // On disk, a file is told by what it is, not by the path that reached it.
    const fs::path file = writeBmp8("GameData/Skins/x.bmp", 8, 8);
    fs::create_directories(game.root() / "Deluxe");
    fs::create_directory_symlink("../GameData/Skins", game.root() / "Deluxe/Skins");
    EXPECT_TRUE(copiesFound({file, game.root() / "Deluxe/Skins/x.bmp"}).empty());
    EXPECT_NE(FileSamenessKey(file), FileSamenessKey(writeBmp8("GameData/Skins/X.bmp", 8, 8))) << "a case twin";
}

TEST_F(DuplicateSearchTest, LinearSearchAgreesWithThePairwiseOneOnGeneratedLayouts) {
    // Folders include the same one in other letter cases (another folder on
    // a case-sensitive disk); names include blanks around them and other
    // letter cases.
    const std::vector<std::string> folders{"/g/GameData/Skins/", "/g/gamedata/SKINS/", "/g/Deluxe/Skins/",
                                           "/g/GameData/Cmx3/sub/", "/g/ExpansionShared/SkinsBuy/"};
    const std::vector<std::string> names{"a.bmp", "A.BMP", " a.bmp", "b.bmp", "b.bmp  ", "c.cmx", "C.cmx", "d.skn"};
    std::mt19937 random(20260);
    for (int layout = 0; layout < 400; ++layout) {
        std::vector<fs::path> files;
        const auto count = std::uniform_int_distribution<int>(0, 14)(random);
        for (int i = 0; i < count; ++i) {
            files.push_back(folders[random() % folders.size()] + names[random() % names.size()]);
        }
        ProblemList linear;
        ProblemList pairwise;
        ASSERT_TRUE(AppendFolderDuplicates(files, control, linear));
        reference::AppendFolderDuplicatesPairwise(files, pairwise);
        ASSERT_EQ(described(linear), described(pairwise)) << "layout " << layout;
    }
}

TEST_F(DuplicateSearchTest, ArchiveEntriesStandForTheLooseNamesTheyWouldHave) {
    struct KeyCase {
        const char* entry;
        ArchiveNameRule rule;
        const char* key;
    } cases[] = {
        {" HuaoLgt.BMP ", ArchiveNameRule::Same, "huaolgt.bmp"},
        {"B001MAFit_01.cmx.bcf", ArchiveNameRule::LessLastFour, "b001mafit_01.cmx"},
        {"bcf", ArchiveNameRule::LessLastFour, ""},
        {"xskin-A-PELVIS-BODY.bmf", ArchiveNameRule::MeshExtensionSkn, "xskin-a-pelvis-body.skn"},
        {"xskin-noext", ArchiveNameRule::MeshExtensionSkn, "xskin-noext.skn"},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(ArchiveEntryKey(c.entry, c.rule), c.key) << c.entry;
    }
}

TEST_F(DuplicateSearchTest, WholeSearchFindsArchiveAndFolderCopiesOfEachKindInOrder) {
    game.installation(2);
    const fs::path texture = writeBmp8("GameData/Skins/huaolgt.bmp", 8, 8);
    const fs::path textureCopy = writeBmp8("ExpansionPack2/Skins/HUAOLGT.bmp", 8, 8);
    const fs::path suit = game.writeText("GameData/Skins/b001mafit_01.cmx", "suit");
    const fs::path mesh = game.writeText("GameData/Skins/xskin-a-PELVIS-BODY.skn", "mesh");
    game.writeArchive("GameData/Textures/Textures.far", {{"huaolgt.bmp", std::vector<std::uint8_t>(1100, 1)}});
    game.writeArchive("ExpansionPack/ExpansionPack.far",
                      {{"b001mafit_01.cmx.bcf", {1}},
                       {"xskin-a-PELVIS-BODY.bmf", {2}},
                       {"filler.dat", std::vector<std::uint8_t>(1024, 0)}});  // archives below 1 KB are not read

    SkinCatalogue catalogue;
    const DuplicateSearchResult result = SearchDuplicates(SkinFolders(game.root(), 2), catalogue, control);

    const std::string far = "The file ";
    EXPECT_EQ(described(result.findings),
              (std::vector<std::string>{
                  "FarDuplicate huaolgt.bmp <- " + texture.parent_path().string() + "/ | " + far + texture.string() +
                      "\r\nalso exists inside the archive Textures.far",
                  "FarDuplicate HUAOLGT.bmp <- " + textureCopy.parent_path().string() + "/ | " + far +
                      textureCopy.string() + "\r\nalso exists inside the archive Textures.far",
                  "Duplicate HUAOLGT.bmp <- " + textureCopy.parent_path().string() + "/ | " + textureCopy.string() +
                      "\r\nis a copy of " + texture.string(),
                  "Duplicate huaolgt.bmp <- " + texture.parent_path().string() + "/ | " + texture.string() +
                      "\r\nis a copy of " + textureCopy.string(),
                  "FarDuplicate b001mafit_01.cmx <- " + suit.parent_path().string() + "/ | " + far + suit.string() +
                      "\r\nalso exists inside the archive ExpansionPack.far",
                  "FarDuplicate xskin-a-PELVIS-BODY.skn <- " + mesh.parent_path().string() + "/ | " + far +
                      mesh.string() + "\r\nalso exists inside the archive ExpansionPack.far",
              }));
    EXPECT_FALSE(result.stopped);
    EXPECT_FALSE(catalogue.ArchiveTextureEntries.has_value()) << "discarded, so the next use reads the archives again";
}

TEST_F(DuplicateSearchTest, TheLastArchiveOfTheNameIsNamed) {
    const std::vector<FarRecordDetails> entries{{0, 0, 0, "/g/GameData/Textures/Textures.far", "x.bmp"},
                                                {0, 0, 0, "/g/ExpansionPack/ExpansionPack.far", "X.BMP"},
                                                {0, 0, 0, "/g/Deluxe/Deluxe.far", "y.bmp"}};
    ProblemList findings;
    ASSERT_TRUE(AppendArchiveDuplicates({"/g/GameData/Skins/x.bmp", "/g/GameData/Skins/z.bmp"}, entries,
                                        ArchiveNameRule::Same, control, findings));
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(findings[0].Description.ends_with("archive ExpansionPack.far")) << findings[0].Description;
}

TEST_F(DuplicateSearchTest, StoppingKeepsTheRecordsFoundSoFar) {
    int asked = 0;
    const ScanControl stopping{progress, [&] { return ++asked > 2; }};
    ProblemList findings;
    EXPECT_FALSE(AppendFolderDuplicates({"/a/x.bmp", "/b/x.bmp", "/c/x.bmp"}, stopping, findings));
    EXPECT_EQ(findings.size(), 2u);
}

}  // namespace
}  // namespace corvane
