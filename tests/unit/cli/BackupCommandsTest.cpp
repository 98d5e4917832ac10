// backup, backups and restore from the command line, on the demo installation.
#include "cli/BackupCommands.h"

#include "neighbourhoods/NeighbourhoodFolders.h"
#include "platform/LanguageModule.h"
#include "support/TinyJson.h"
#include "unit/cli/DemoGameTest.h"

#include <fstream>
#include <map>

namespace corvane::cli {
namespace {

namespace fs = std::filesystem;

// Every file below `folder` by its relative path, with its bytes.
std::map<std::string, std::string> filesOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), folder).generic_string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

class BackupCommandsTest : public DemoGameTest {
protected:
    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
    fs::path backups = folder.path() / "app/Neighborhoods";
};

TEST_F(BackupCommandsTest, BackupDamageRestoreGivesBackTheSameBytes) {
    const fs::path neighbourhood = game / "UserData";
    const auto original = filesOf(neighbourhood);
    ASSERT_GT(original.size(), 2u);

    Result result = runLine({"--game", "GAME", "backup", "01"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("backed up \"")) << result.out;
    EXPECT_TRUE(result.out.ends_with("UserData\" to \"" + (backups / "UserData").string() + "\"\n")) << result.out;
    EXPECT_EQ(filesOf(backups / "UserData"), original) << "the demo has nothing the backup leaves behind";

    // A second backup replaces the first and says where the first went.
    result = runLine({"--game", "GAME", "backup", "UserData"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("the older backup it replaced is in the Trash: \"" +
                              (folder.path() / "data/Trash/files/UserData").string() + "\""),
              std::string::npos)
        << result.out;

    const std::string damagedFile = "Characters/User00001.iff";
    ASSERT_EQ(original.count(damagedFile), 1u);
    std::ofstream(neighbourhood / damagedFile, std::ios::binary) << "damaged";
    result = runLine({"--game", "GAME", "restore", "UserData"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("exists; restore --replace replaces it"), std::string::npos) << result.err;
    EXPECT_EQ(filesOf(neighbourhood).at(damagedFile), "damaged");

    result = runLine({"--game", "GAME", "restore", "userdata", "--replace"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(filesOf(neighbourhood), original);
    EXPECT_NE(result.out.find("the neighbourhood it replaced is in the Trash"), std::string::npos) << result.out;

    result = runLine({"--game", "GAME", "restore", "UserData", "--as", "9"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(filesOf(game / "UserData9"), original);
}

TEST_F(BackupCommandsTest, BackupsListsNamesWithTheirDescriptions) {
    EXPECT_EQ(runLine({"--game", "GAME", "backups"}).out, "");
    ASSERT_EQ(runLine({"--game", "GAME", "backup", "03"}).status, 0);
    ASSERT_EQ(runLine({"--game", "GAME", "backup", "01"}).status, 0);
    SaveNeighbourhoodDescription(backups / "UserData3", "Caf\xE9 crowd\r\nsecond line");

    EXPECT_EQ(runLine({"--game", "GAME", "backups"}).out, "UserData\t\nUserData3\tCaf\xC3\xA9 crowd\n");
    const test::JsonValue json = test::ParseJson(runLine({"--game", "GAME", "backups", "--json"}).out);
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[1u]["Name"].text(), "UserData3");
    EXPECT_EQ(json[1u]["Path"].text(), (backups / "UserData3").string());
    EXPECT_EQ(json[1u]["Description"].text(), "Caf\xC3\xA9 crowd\r\nsecond line");
    EXPECT_EQ(json[0u]["Description"].text(), "");
}

TEST_F(BackupCommandsTest, WrongUseIsRefusedBeforeAnythingChanges) {
    ASSERT_EQ(runLine({"--game", "GAME", "backup", "03"}).status, 0);
    const struct {
        std::vector<std::string> words;
        int status;
        std::string err;
    } cases[] = {
        {{"--game", "GAME", "restore", "UserData3", "--as", "Elsewhere"}, 1, "--as wants UserData or UserData2"},
        {{"--game", "GAME", "restore", "UserData3", "--as", "UserData100"}, 1, "--as wants UserData or UserData2"},
        {{"--game", "GAME", "restore", "UserData3", "--as"}, 1, "--as needs a value"},
        {{"--game", "GAME", "backup", "03", "--replace"}, 1, "backup does not take --replace"},
        {{"--game", "GAME", "backups", "--as", "UserData4"}, 1, "backups does not take --as"},
        {{"--game", "GAME", "--replace", "restore", "UserData3"}, 1, "--replace goes after the command"},
        {{"--game", "GAME", "restore"}, 1, "restore needs BACKUP"},
        {{"--game", "GAME", "restore", "UserData5"}, 2, "no backup UserData5 in"},
        {{"--game", "GAME", "restore", "UserData3", "--as", "01"}, 2, "UserData\" exists; restore --replace"},
        {{"--game", "GAME", "backup", "07"}, 2, "no neighbourhood numbered 07"},
        {{"--game", "GAME", "restore", "UserData3-old"}, 1, "restore it --as UserData2"},
        {{"--game", "GAME", "copy-neighbourhood", "03", "UserData2"}, 2, "already exists"},
        {{"--game", "GAME", "copy-backup", "UserData3", "userdata"}, 1, "the new name is UserData2 ... UserData99"},
        {{"--game", "GAME", "copy-neighbourhood", "03", "01"}, 1, "the new name is UserData2 ... UserData99"},
        {{"--game", "GAME", "rename-neighbourhood", "03", "UserData"}, 1, "(UserData only without expansion packs)"},
        {{"--game", "GAME", "rename-neighbourhood", "01", "UserData8"}, 2, LangStr(7106)},
        {{"--game", "GAME", "delete-neighbourhood", "01"}, 2, LangStr(7104)},
        {{"--game", "GAME", "rename-neighbourhood", "03", "Elsewhere"}, 1, "the new name wants UserData"},
    };
    fs::rename(backups / "UserData3", backups / "UserData3-old");
    fs::copy(backups / "UserData3-old", backups / "UserData3", fs::copy_options::recursive);
    const auto before = filesOf(game);
    for (const auto& c : cases) {
        const Result result = runLine(c.words);
        EXPECT_EQ(result.status, c.status) << c.words.back();
        EXPECT_FALSE(c.err.empty());
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(filesOf(game), before);
}

// Copies, renames, deletions and descriptions of neighbourhoods and backups,
// each with what the page does.
TEST_F(BackupCommandsTest, CopiesRenamesDeletionsAndDescriptions) {
    const auto original = filesOf(game / "UserData3");
    const struct {
        std::vector<std::string> words;
        const char* out;
    } steps[] = {
        {{"copy-neighbourhood", "03", "7"}, "to \"GAME/UserData7\""},
        {{"rename-neighbourhood", "UserData7", "USERDATA8"}, "to \"GAME/UserData8\""},
        {{"backup", "08"}, "to \"BACKUPS/UserData8\""},
        {{"copy-backup", "UserData8", "UserData9"}, "to \"BACKUPS/UserData9\""},
        {{"rename-backup", "userdata9", "UserData10"}, "to \"BACKUPS/UserData10\""},
        {{"delete-backup", "UserData8"}, "to the Trash: \"TRASH/UserData8\""},
        {{"delete-neighbourhood", "08"}, "to the Trash: \"TRASH/UserData8.2\""},
        {{"description", "03", "Caf\xC3\xA9\\nsecond line"}, "saved the description"},
        {{"backup-description", "UserData10", "backup"}, "saved the description"},
    };
    auto expand = [&](std::string text) {
        for (const auto& [word, path] : {std::pair{std::string("GAME"), game.string()},
                                         std::pair{std::string("BACKUPS"), backups.string()},
                                         std::pair{std::string("TRASH"), (folder.path() / "data/Trash/files").string()}}) {
            if (const auto at = text.find(word); at != std::string::npos) text.replace(at, word.size(), path);
        }
        return text;
    };
    for (const auto& step : steps) {
        std::vector<std::string> words{"--game", "GAME"};
        words.insert(words.end(), step.words.begin(), step.words.end());
        const Result result = runLine(words);
        ASSERT_EQ(result.status, 0) << step.words.front() << ": " << result.err;
        EXPECT_NE(result.out.find(expand(step.out)), std::string::npos) << result.out;
    }
    EXPECT_EQ(NeighbourhoodFolderNames(game), (std::vector<std::string>{"UserData", "UserData2", "UserData3"}));
    EXPECT_EQ(NeighbourhoodFolderNames(backups), std::vector<std::string>{"UserData10"});
    auto copied = filesOf(backups / "UserData10");
    EXPECT_EQ(copied.erase("Description.cv"), 1u);
    EXPECT_EQ(copied, original) << "the copy of a copy's backup";
    EXPECT_EQ(ReadNeighbourhoodDescription(game / "UserData3"), std::optional<std::string>("Caf\xE9\r\nsecond line"));
    EXPECT_EQ(runLine({"--game", "GAME", "description", "03"}).out, "Caf\xC3\xA9\r\nsecond line\n");
    EXPECT_EQ(runLine({"--game", "GAME", "backup-description", "UserData10"}).out, "backup\n");
}

}  // namespace
}  // namespace corvane::cli
