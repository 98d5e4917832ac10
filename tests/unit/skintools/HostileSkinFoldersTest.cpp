// Skin folders as a user or a copy tool leaves them: folders linked into
// each other, link loops, names twice in other letter cases, and FIFOs where
// skins should be. Each file is walked once, every real copy is found, and
// nothing is opened that could block.
#include "ValidationSupport.h"
#include "skins/SkinCatalogue.h"
#include "skintools/DuplicateSearch.h"
#include "skintools/InstalledSkinIndex.h"
#include "skintools/SkinValidation.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class HostileSkinFoldersTest : public test::SkinToolsTest {
protected:
    static constexpr int kLevel = 7;

    fs::path at(const std::string& relative) const { return game.root() / relative; }
    // A texture the validation reports (its sides are no powers of two).
    fs::path oddTexture(const std::string& relative) { return writeBmp24(relative, 100, 64); }
    void linkFolder(const std::string& target, const std::string& link) {
        fs::create_directories(at(link).parent_path());
        fs::create_directory_symlink(target, at(link));
    }
    void fifo(const std::string& relative) {
        fs::create_directories(at(relative).parent_path());
        ASSERT_EQ(::mkfifo(at(relative).c_str(), 0600), 0);
    }
    SkinFolders folders() const { return SkinFolders(game.root(), kLevel); }
};

TEST_F(HostileSkinFoldersTest, EachFileIsWalkedOnceAndEveryRealCopyIsFound) {
    struct FolderCase {
        const char* fault;
        std::function<void()> lay;
        std::size_t listed;      // textures the walk lists
        std::size_t problems;    // validation findings
        std::size_t duplicates;  // folder-duplicate findings
        std::size_t skipped;     // files named as skins that are no regular files
    } cases[] = {
        {"search_folder_linked_into_two_others",
         [&] {
             oddTexture("GameData/Skins/odd.bmp");
             linkFolder("../GameData/Skins", "ExpansionShared/Skins");
             linkFolder("../GameData/Skins", "ExpansionPack2/Skins");
         },
         1, 1, 0, 0},
        {"fallback_folder_holding_a_link_to_itself",
         [&] {
             oddTexture("GameData/Textures/odd.bmp");
             linkFolder(".", "GameData/Textures/again");
             linkFolder("..", "GameData/Textures/sub/up");
         },
         1, 1, 0, 0},
        {"file_linked_into_another_search_folder",
         [&] {
             oddTexture("GameData/Skins/odd.bmp");
             fs::create_directories(at("Deluxe/Skins"));
             fs::create_symlink("../../GameData/Skins/odd.bmp", at("Deluxe/Skins/odd.bmp"));
         },
         1, 1, 0, 0},
        {"file_hard_linked_into_another_search_folder",
         [&] {
             oddTexture("GameData/Skins/odd.bmp");
             fs::create_directories(at("Deluxe/Skins"));
             fs::create_hard_link(at("GameData/Skins/odd.bmp"), at("Deluxe/Skins/odd.bmp"));
         },
         1, 1, 0, 0},
        {"names_differing_only_in_letter_case_in_one_folder",
         [&] {
             oddTexture("GameData/Skins/hmlo.bmp");
             oddTexture("GameData/Skins/HMLO.bmp");
         },
         2, 2, 2, 0},
        {"real_copy_in_another_search_folder",
         [&] {
             oddTexture("GameData/Skins/odd.bmp");
             oddTexture("ExpansionShared/Skins/odd.bmp");
         },
         2, 2, 2, 0},
        {"fifos_named_as_a_texture_and_a_character_file",
         [&] {
             fifo("GameData/Skins/fifo.bmp");
             fifo("GameData/Skins/b001mafit_fifo.cmx");
             oddTexture("GameData/Skins/odd.bmp");
         },
         1, 1, 0, 2},
        {"fifo_in_a_search_folder_linked_into_another",
         [&] {
             fifo("GameData/Skins/b001mafit_fifo.cmx");
             oddTexture("GameData/Skins/odd.bmp");
             linkFolder("../GameData/Skins", "ExpansionShared/Skins");
         },
         1, 1, 0, 1},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.fault);
        fs::remove_all(game.root());
        SharedFolderListings().clear();
        c.lay();

        EXPECT_EQ(folders().ListSkinFiles("*.bmp").size(), c.listed);
        SkinCatalogue catalogue;
        const ValidationResult validation = ValidateSkins(folders(), catalogue, control);
        EXPECT_EQ(validation.problems.size(), c.problems);
        EXPECT_EQ(validation.skipped.size(), c.skipped);
        const DuplicateSearchResult duplicates = SearchDuplicates(folders(), catalogue, control);
        std::size_t folderDuplicates = 0;
        for (const auto& finding : duplicates.findings) folderDuplicates += finding.Kind == "Duplicate" ? 1 : 0;
        EXPECT_EQ(folderDuplicates, c.duplicates);
        EXPECT_EQ(duplicates.skipped.size(), c.skipped);
        EXPECT_EQ(InstalledSkinIndex(folders(), catalogue).skipped().size(), c.skipped) << "the missing-skin search";
    }
}

TEST_F(HostileSkinFoldersTest, CaseTwinsAreCopiesOfEachOther) {
    const fs::path lower = oddTexture("GameData/Skins/hmlo.bmp");
    const fs::path upper = oddTexture("GameData/Skins/HMLO.bmp");
    SkinCatalogue catalogue;
    const DuplicateSearchResult result = SearchDuplicates(folders(), catalogue, control);
    std::vector<std::string> described;
    for (const auto& finding : result.findings) described.push_back(finding.Description);
    EXPECT_EQ(described, (std::vector<std::string>{lower.string() + "\r\nis a copy of " + upper.string(),
                                                   upper.string() + "\r\nis a copy of " + lower.string()}));
}

TEST_F(HostileSkinFoldersTest, SkippedFilesSayWhatTheyAre) {
    fifo("GameData/Skins/fifo.bmp");
    SkippedFiles skipped;
    EXPECT_TRUE(folders().ListSkinFiles("*.bmp", &skipped).empty());
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(SkippedFileText(skipped[0]),
              "skipped " + at("GameData/Skins/fifo.bmp").string() + ": not a regular file (a FIFO)");
}

TEST_F(HostileSkinFoldersTest, AFifoNamedAsASkinIsNotInstalled) {
    fifo("GameData/Skins/b001mafit_fifo.cmx");
    game.writeText("GameData/Skins/b001mafit_real.cmx", "suit");
    const SkinCatalogue catalogue;
    const InstalledSkinIndex installed(folders(), catalogue);
    EXPECT_FALSE(installed.SkinInstalled("b001mafit_fifo", ".cmx"));
    EXPECT_TRUE(installed.SkinInstalled("b001mafit_real", ".cmx"));
    ASSERT_EQ(installed.skipped().size(), 1u);
    EXPECT_EQ(installed.skipped()[0].kind, SpecialFileKind::Fifo);
}

}  // namespace
}  // namespace corvane
