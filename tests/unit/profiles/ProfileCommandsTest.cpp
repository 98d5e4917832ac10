#include "TestPaths.h"
#include "cli/CliGame.h"
#include "cli/CommandLine.h"
#include "cli/NeighbourhoodCommands.h"
#include "cli/ProfileCommands.h"
#include "platform/AtomicFile.h"
#include "platform/CaseInsensitivePath.h"
#include "skins/SkinFolders.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "profiles/ProfileImport.h"
#include "unit/cli/DemoGameTest.h"

#include <map>

namespace corvane::cli {
namespace {

class ProfileCommandsTest : public DemoGameTest {
protected:
    // A command on the demo game.
    Result runLine(std::vector<std::string> words) const {
        words.insert(words.begin(), {"--game", "GAME"});
        return DemoGameTest::runLine(std::move(words));
    }
    // Every file of the game with its bytes, and of the editor's own folder.
    std::map<std::string, std::vector<std::uint8_t>> everything() const {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
            if (entry.is_regular_file()) files[entry.path().string()] = ReadFileBytes(entry.path());
        }
        return files;
    }
    std::vector<std::string> embedded(const std::string& printed) const {
        std::vector<std::string> names;
        std::istringstream lines(printed);
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("embedded ")) names.push_back(line.substr(9));
        }
        return names;
    }
    std::string profile() const { return (folder.path() / "victor.cvp").string(); }
    // Where the game holds the skin file `name` (its letter case may differ).
    std::filesystem::path installed(const std::string& name) const {
        const auto dot = name.rfind('.');
        return SkinFolders(game, 7).FindSkinFile(name.substr(0, dot), name.substr(dot));
    }
};

TEST_F(ProfileCommandsTest, ExportWritesEveryWornFileAndInfoShowsItWithoutChangingAnything) {
    const Result exported = runLine({"export-cvp", "UserData", "User00001", profile(), "--rating", "M", "--credits",
                                     "Made by Ana. Thanks, Bo!"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::vector<std::string> names = embedded(exported.out);
    ASSERT_FALSE(names.empty());
    EXPECT_TRUE(exported.out.ends_with("wrote " + profile() + "\n"));

    const auto before = everything();
    const Result info = runLine({"cvp-info", profile()});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Rating\tM\nWarning\tFalse\nCredits\tMade by Ana. Thanks, Bo!\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("FirstName\tVictor\n"), std::string::npos);
    for (const std::string& name : names) {
        const auto size = std::filesystem::file_size(installed(name));
        EXPECT_NE(info.out.find("file\t" + name + "\t" + std::to_string(size) + "\n"), std::string::npos) << name;
    }
    EXPECT_NE(info.out.find("images\t"), std::string::npos) << "the demo's character files hold pictures";
    const Result json = runLine({"cvp-info", profile(), "--json"});
    EXPECT_NE(json.out.find("\"Rating\": \"M\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"Neat\": 900"), std::string::npos) << "numbers as JSON numbers";
    EXPECT_NE(json.out.find("\"ExpansionLevel\": 7"), std::string::npos);
    EXPECT_NE(json.out.find("\"FileName\": \"" + names[0] + "\""), std::string::npos);
    EXPECT_EQ(everything(), before) << "reading a profile changes nothing";
}

TEST_F(ProfileCommandsTest, LeftOutFilesAreNotEmbeddedAndTheProfileWarns) {
    const Result all = runLine({"export-cvp", "UserData", "User00001", profile()});
    const std::vector<std::string> names = embedded(all.out);
    ASSERT_GE(names.size(), 2u);
    std::string shouted = names[1];
    for (char& c : shouted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const Result some = runLine({"export-cvp", "UserData", "User00001", profile(), "--leave-out", names[0], "--leave-out", shouted});
    ASSERT_EQ(some.status, 0) << some.err;
    EXPECT_EQ(embedded(some.out), std::vector<std::string>(names.begin() + 2, names.end()));
    EXPECT_TRUE(ReadProfile(profile()).warning);

    const auto before = everything();
    const Result unknown = runLine({"export-cvp", "UserData", "User00001", profile(), "--leave-out", "nothing.cmx"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("--leave-out nothing.cmx: User00001 wears no file of that name"), std::string::npos)
        << unknown.err;
    EXPECT_EQ(everything(), before);
    EXPECT_EQ(runLine({"export-cvp", "UserData", "User00001", profile(), "--rating", "X"}).status, 1);
    EXPECT_EQ(runLine({"import-cvp", "UserData", "User00001", profile(), "--rating", "T"}).status, 1);
}

TEST_F(ProfileCommandsTest, ProfilesThatDoNotFitOrCannotBeReadChangeNothing) {
    ASSERT_EQ(runLine({"export-cvp", "UserData", "User00001", profile()}).status, 0);
    const std::string text = ReadTextFile(profile());
    const std::string truncated = (folder.path() / "truncated.cvp").string();
    ReplaceFileAtomically(truncated, text.substr(0, text.size() * 2 / 3));
    const std::string lacking = (folder.path() / "lacking.cvp").string();
    const auto cut = text.find("<JobLevel ");
    ReplaceFileAtomically(lacking, text.substr(0, cut) + text.substr(text.find('\n', cut) + 1));
    const std::string notXml = (folder.path() / "picture.cvp").string();
    ReplaceFileAtomically(notXml, "BM\x01\x02 not a profile");
    struct Case {
        std::string character;
        std::string file;
        std::string message;
    };
    SetLanguageModule(LanguageModule::load(CORVANE_LANG_DIR "/CV3Dusen.lng"));
    const Case cases[] = {
        {"User00006", profile(), LangStr(7151)},
        {"User00007", profile(), LangStr(7151)},
        {"User00002", truncated, truncated + ": not a readable XML file"},
        {"User00002", lacking, lacking + ": the element JobLevel is missing"},
        {"User00002", notXml, notXml + ": not a readable XML file"},
    };
    const auto before = everything();
    for (const Case& c : cases) {
        const Result result = runLine({"import-cvp", "UserData", c.character, c.file, "--overwrite", "all"});
        EXPECT_EQ(result.status, 2) << c.file;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(everything(), before) << c.file;
    }
}

TEST_F(ProfileCommandsTest, ImportAppliesValuesInstallsFilesStagesPicturesAndSaves) {
    const Result exported = runLine({"export-cvp", "UserData", "User00001", profile()});
    const std::vector<std::string> names = embedded(exported.out);
    ASSERT_GE(names.size(), 2u);
    // One file is missing from the game: the import installs it again.
    const std::filesystem::path removed = installed(names[0]);
    const auto original = ReadFileBytes(removed);
    std::filesystem::remove(removed);

    const auto before = everything();
    const Result dry = runLine({"import-cvp", "UserData", "User00003", profile(), "--dry-run"});
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("FirstName: \"Tess\" -> \"Victor\"\n"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find("Age: 9 -> 27\n"), std::string::npos);
    EXPECT_NE(dry.out.find("would install " + names[0] + "\n"), std::string::npos);
    EXPECT_NE(dry.out.find("would keep " + names[1] + "\n"), std::string::npos);
    EXPECT_NE(dry.out.find("would rebuild Characters/User00003.iff\n"), std::string::npos);
    EXPECT_EQ(everything(), before) << "a dry run writes nothing";

    const Result imported = runLine({"import-cvp", "UserData", "User00003", profile()});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_NE(imported.out.find("installed " + names[0] + "\n"), std::string::npos) << imported.out;
    EXPECT_NE(imported.out.find("kept " + names[1] + "\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(installed(names[0])), original);
    EXPECT_EQ(installed(names[0]).parent_path(), ResolveCaseInsensitive(game, "GameData\\Skins"));
    const Result shown = runLine({"show", "UserData", "User00003"});
    EXPECT_NE(shown.out.find("FirstName\tVictor\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("AgeGroup\tchild\n"), std::string::npos) << "an adult's profile fits a child";
    EXPECT_NE(shown.out.find("SkinAge\t27\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "app" / "User00003.tmp")) << "the save took the pictures";

    const Result replaced = runLine({"import-cvp", "UserData", "User00003", profile(), "--overwrite", "all"});
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_NE(replaced.out.find("replaced " + names[1] + "\n"), std::string::npos) << replaced.out;
}

}  // namespace
}  // namespace corvane::cli
