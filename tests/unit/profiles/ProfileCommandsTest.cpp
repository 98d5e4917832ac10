#include "TestPaths.h"
#include "cli/CliGame.h"
#include "cli/CommandLine.h"
#include "cli/NeighbourhoodCommands.h"
#include "cli/ProfileCommands.h"
#include "platform/AtomicFile.h"
#include "platform/CaseInsensitivePath.h"
#include "skins/SkinFolders.h"
#include "platform/FileBytes.h"
#include "platform/InstallationLock.h"
#include "platform/LanguageModule.h"
#include "profiles/ProfileImport.h"
#include "support/FaultInjection.h"
#include "unit/cli/DemoGameTest.h"

#include <algorithm>
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
    // Every file of the game with its bytes, and of the editor's own folder,
    // but for the installation's lock file: each command notes itself in it
    // as the lock's holder while it runs.
    std::map<std::string, std::vector<std::uint8_t>> everything() const {
        const std::filesystem::path lock = InstallationLock::LockFile(game);
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.path())) {
            if (!entry.is_regular_file() || entry.path() == lock) continue;
            files[entry.path().string()] = ReadFileBytes(entry.path());
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
    // The profile text with the value of `element` replaced by `value`.
    static std::string withValue(std::string text, const std::string& element, const std::string& value) {
        const std::string opening = "<" + element + " dt:dt=\"";
        const auto at = text.find(opening);
        EXPECT_NE(at, std::string::npos) << element;
        if (at == std::string::npos) return text;
        const auto start = text.find('>', at) + 1;
        return text.replace(start, text.find('<', start) - start, value);
    }
    std::string writtenProfile(const std::string& name, const std::string& text) const {
        const std::string file = (folder.path() / name).string();
        ReplaceFileAtomically(file, text);
        return file;
    }
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
    const auto hostile = [&](const std::string& element, const std::string& value) {
        return Case{"User00002", writtenProfile(element + ".cvp", withValue(text, element, value)),
                    "the element " + element + " holds \"" + value + "\""};
    };
    SetLanguageModule(LanguageModule::load(CORVANE_LANG_DIR "/CV3Dusen.lng"));
    const Case cases[] = {
        hostile("Neat", "99999"),
        hostile("Nice", "-70000"),
        hostile("Age", "-5"),
        hostile("Gender", "9"),
        hostile("Job", "11"),
        hostile("JobLevel", "200"),
        hostile("SkinColor", "0"),
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

// Every file refused, in the real run as in the dry run; control characters
// from the profile never reach the terminal.
TEST_F(ProfileCommandsTest, RefusedFilesArePrintedAndControlCharactersEscaped) {
    ASSERT_EQ(runLine({"export-cvp", "UserData", "User00001", profile(), "--credits", "x"}).status, 0);
    std::string text = withValue(ReadTextFile(profile()), "Bio", "Hi\x1B[2Jthere");
    text = withValue(text, "CVPCredits", "By \x1B]0;owned\x07 me");
    text.insert(text.find("<CVPCredits"), "<BinData dt:dt=\"bin.base64\" FileName=\"bad.bmp\">Zm9v</BinData>\n"
                                          "<BinData dt:dt=\"bin.base64\" FileName=\"a&#x1B;b.bmp\">Zm9v</BinData>\n");
    const std::string hostile = writtenProfile("hostile.cvp", text);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"cvp-info", hostile},
          std::vector<std::string>{"import-cvp", "UserData", "User00002", hostile, "--dry-run"},
          std::vector<std::string>{"import-cvp", "UserData", "User00002", hostile}}) {
        const Result result = runLine(words);
        ASSERT_EQ(result.status, 0) << words[0] << result.err;
        EXPECT_EQ(result.out.find('\x1B'), std::string::npos) << words.back() << ": " << result.out;
        EXPECT_EQ(result.err.find('\x1B'), std::string::npos) << words.back();
        EXPECT_NE(result.out.find("bad.bmp"), std::string::npos) << words.back() << ": " << result.out;
        EXPECT_NE(result.out.find("is not a readable bitmap"), std::string::npos) << words.back();
        EXPECT_NE(result.out.find("a\\x1Bb.bmp"), std::string::npos) << words.back() << ": " << result.out;
        if (words[0] == "import-cvp") {
            EXPECT_NE(result.out.find("\"Hi\\x1B[2Jthere\""), std::string::npos) << result.out;
        }
    }
    const std::string notANumber = writtenProfile("escape.cvp", withValue(ReadTextFile(profile()), "Neat", "\x1B[2J"));
    for (const std::vector<std::string>& words : {std::vector<std::string>{"cvp-info", notANumber},
                                                 std::vector<std::string>{"import-cvp", "UserData", "User00002", notANumber}}) {
        const Result refused = runLine(words);
        EXPECT_EQ(refused.status, 2) << words[0];
        EXPECT_EQ(refused.err.find('\x1B'), std::string::npos) << words[0];
        EXPECT_NE(refused.err.find("holds \"\\x1B[2J\", not a whole number"), std::string::npos) << refused.err;
    }
    const Result info = runLine({"cvp-info", hostile});
    EXPECT_NE(info.out.find("Credits\tBy \\x1B]0;owned\\x07 me\n"), std::string::npos) << info.out;
}

// kill -9 at every system call of an import that replaces an installed skin,
// installs a missing one and saves the values: after the next start the game
// holds the profile's skins and values, or neither, and no temporary file.
TEST_F(ProfileCommandsTest, KilledAtEveryCallTheImportLeavesSkinsAndValuesBothOrNeither) {
    // A profile of two files keeps the matrix small.
    std::vector<std::string> words{"export-cvp", "UserData", "User00001", profile()};
    const std::vector<std::string> all = embedded(runLine(words).out);
    ASSERT_GE(all.size(), 3u);
    for (std::size_t i = 2; i < all.size(); ++i) words.insert(words.end(), {"--leave-out", all[i]});
    const std::vector<std::string> names = embedded(runLine(words).out);
    ASSERT_EQ(names.size(), 2u);
    std::filesystem::remove(installed(names[0]));                        // installed anew
    ReplaceFileAtomically(installed(names[1]), "an older skin of that name");  // replaced
    const std::vector<std::string> import{"import-cvp", "UserData", "User00003", profile(), "--overwrite", "all"};

    // The game's skins and the neighbourhood's files: what an import may change.
    const auto gameState = [&] {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const char* part : {"GameData/Skins", "UserData"}) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(game / part)) {
                if (entry.is_regular_file()) files[entry.path().lexically_relative(game).string()] = ReadFileBytes(entry.path());
            }
        }
        return files;
    };
    // How many copies of the replaced skin's old bytes the Trash holds.
    const auto trashed = [&] {
        const std::filesystem::path files = folder.path() / ".local" / "share" / "Trash" / "files";
        int copies = 0;
        if (!std::filesystem::exists(files)) return copies;
        for (const auto& entry : std::filesystem::directory_iterator(files)) {
            copies += ReadTextFile(entry.path()) == "an older skin of that name" ? 1 : 0;
        }
        return copies;
    };
    const std::filesystem::path pristine = folder.path() / "pristine";
    const auto restore = [&](const std::filesystem::path& from, const std::filesystem::path& to) {
        std::filesystem::remove_all(to);
        std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
    };
    std::filesystem::create_directories(folder.path() / "app");
    std::filesystem::create_directories(pristine);
    std::filesystem::copy(folder.path() / "app", pristine / "app", std::filesystem::copy_options::recursive);
    std::filesystem::copy(game, pristine / "game", std::filesystem::copy_options::recursive);
    const auto before = gameState();
    ASSERT_EQ(runLine(import).status, 0);
    const auto after = gameState();
    ASSERT_NE(after, before);
    EXPECT_EQ(trashed(), 1);
    // Recorded in a second run, as the killed ones run: this process keeps its
    // backup copies once, so they are not made again.
    restore(pristine / "game", game);
    restore(pristine / "app", folder.path() / "app");
    std::filesystem::remove_all(folder.path() / ".local" / "share" / "Trash");
    const auto steps = test::RecordCalls([&] { EXPECT_EQ(runLine(import).status, 0); });
    ASSERT_EQ(gameState(), after);
    ASSERT_GE(steps.size(), 10u);
    // Before the journal is first written only the editor's own folder changes: one kill there, then every call.
    std::size_t firstJournalCall = 0;
    while (firstJournalCall < steps.size() && steps[firstJournalCall].about.find("SaveJournal") == std::string::npos) {
        ++firstJournalCall;
    }
    ASSERT_LT(firstJournalCall, steps.size());
    std::map<std::string, int> outcomes;
    for (std::size_t k = 0; k < steps.size(); k = std::max(k + 1, firstJournalCall)) {
        restore(pristine / "game", game);
        restore(pristine / "app", folder.path() / "app");
        std::filesystem::remove_all(folder.path() / ".local" / "share" / "Trash");
        const int status = test::RunKilledAtCall(k, [&] { return runLine(import).status; });
        ASSERT_EQ(status, test::kKilledAtCall) << steps[k].text();
        ASSERT_EQ(runLine({"characters", "UserData"}).status, 0) << "the next start after " << steps[k].text();
        const auto now = gameState();
        const std::string outcome = now == before ? "neither" : now == after ? "both" : "mixed";
        EXPECT_NE(outcome, "mixed") << "killed at " << steps[k].text();
        EXPECT_EQ(trashed(), outcome == "both" ? 1 : 0) << "the replaced skin's old bytes, killed at " << steps[k].text();
        ++outcomes[outcome];
    }
    EXPECT_GT(outcomes["neither"], 0);
    EXPECT_GT(outcomes["both"], 0);
}

}  // namespace
}  // namespace corvane::cli
