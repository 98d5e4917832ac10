// Saving the demo neighbourhood's characters back into the game's files.

#include "TestPaths.h"
#include "neighbourhoods/CharacterSave.h"

#include "cli/SimJson.h"
#include "demo/DemoInstallation.h"
#include "demo/GameBuilder.h"
#include "iff/CharacterImageFile.h"
#include "iff/IffContainer.h"
#include "neighbourhoods/AutoBackup.h"
#include "neighbourhoods/CharacterLoader.h"
#include "neighbourhoods/GameFileWrite.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "neighbourhoods/PajamaTextureQuestion.h"
#include "platform/BmpCodec.h"
#include "platform/DurableWrite.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "platform/Trash.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinFolders.h"
#include "support/EnvOverride.h"
#include "support/FaultInjection.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "unit/neighbourhoods/DemoReading.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <utility>

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr int kDemoLevel = 7;

// Shows nothing; `duringSave` runs at each step of the save's progress
// through the characters, once it has said it is saving.
class ProgressWithHook : public SilentProgress {
public:
    void showStatus(const std::string& text) override { saving_ = text == LangStr(6150); }
    void setPosition(int) override {
        if (saving_ && duringSave) duringSave();
    }
    std::function<void()> duringSave;

private:
    bool saving_ = false;
};

class DemoSave : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::load(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
        game = EnsureDemoInstallation(dir.path());
        neighbourhood = game / "UserData";
        open();
    }
    void TearDown() override {
        SetLanguageModule(LanguageModule());
        DiscardSkinCatalogue(GameSkinCatalogue());
    }

    NeighbourhoodLoadSettings reading() const { return DemoReading(game, dir.path() / "app"); }

    void open() {
        test::ScriptedDialogs quiet;
        OpenedNeighbourhood opened = OpenNeighbourhood(reading(), quiet, progress);
        list.assign(std::move(opened.characters), std::move(opened.thumbnails), opened.imageStamp);
        openedTimes.clear();
        for (const auto& entry : fs::recursive_directory_iterator(neighbourhood)) {
            if (entry.is_regular_file()) openedTimes[entry.path()] = fs::last_write_time(entry.path());
        }
    }

    // `answer` goes to the question, `then` to the messages after it.
    CharacterSaveResult save(ModalResult answer, const std::vector<ModalResult>& then = {}) {
        dialogs.answer(answer);
        for (ModalResult next : then) dialogs.answer(next);
        CharacterSaveSettings settings;
        settings.gameFolder = game;
        settings.neighbourhoodFolder = neighbourhood;
        settings.applicationFolder = dir.path() / "app";
        settings.expansionLevel = level_;
        settings.reading = reading();
        CharacterSaveServices services{dialogs, progress, [&]() -> const SkinCatalogue& {
                                           SkinCatalogue& catalogue = GameSkinCatalogue();
                                           if (!catalogue.complete()) LoadSkinData(catalogue, SkinFolders(game, level_), progress);
                                           return catalogue;
                                       }};
        return SaveModifiedCharacters(list, settings, services);
    }

    Sim& sim(const std::string& file) {
        for (Sim* s : list.sims()) {
            if (s->FileName == file) return *s;
        }
        throw std::runtime_error("no " + file);
    }
    std::filesystem::path characterFile(const std::string& file) const {
        return neighbourhood / "Characters" / (file + ".iff");
    }
    std::map<std::filesystem::path, Bytes> allFiles() const {
        std::map<std::filesystem::path, Bytes> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(neighbourhood)) {
            if (entry.is_regular_file()) files[entry.path()] = ReadFileBytes(entry.path());
        }
        return files;
    }
    // Puts every file of the neighbourhood back as `files` holds them, and
    // nothing else, with the times they had when the neighbourhood was opened:
    // put back, they count as unchanged since they were read.
    void restore(const std::map<fs::path, Bytes>& files) {
        for (const auto& [path, bytes] : allFiles()) {
            if (!files.contains(path)) fs::remove(path);
        }
        for (const auto& [path, bytes] : files) {
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                         static_cast<std::streamsize>(bytes.size()));
            if (openedTimes.contains(path)) fs::last_write_time(path, openedTimes.at(path));
        }
    }

    std::map<std::string, std::string> recordsAsJson() const {
        std::map<std::string, std::string> records;
        for (const Sim* s : list.sims()) records[s->FileName] = cli::SimAsJson(*s, [](const std::string& t) { return t; });
        return records;
    }

    test::TempDir dir;
    test::EnvOverride home{"CORVANE_HOME", (dir.path() / "app").string()};
    test::EnvOverride data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    std::filesystem::path game;
    std::filesystem::path neighbourhood;
    CharacterList list;
    std::map<fs::path, fs::file_time_type> openedTimes;  // every file's time when the neighbourhood was opened
    test::ScriptedDialogs dialogs;
    ProgressWithHook progress;
    int level_ = kDemoLevel;
};

// The lines of `a` not in `b` and those of `b` not in `a`, in order.
std::vector<std::string> differingLines(const std::string& a, const std::string& b) {
    auto lines = [](const std::string& text) {
        std::vector<std::string> out;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            out.push_back(text.substr(start, end - start));
        }
        return out;
    };
    const auto la = lines(a);
    const auto lb = lines(b);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const std::string x = i < la.size() ? la[i] : "";
        const std::string y = i < lb.size() ? lb[i] : "";
        if (x != y) {
            out.push_back("- " + x);
            out.push_back("+ " + y);
        }
    }
    return out;
}

std::vector<std::size_t> differingPositions(const Bytes& a, const Bytes& b) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) positions.push_back(i);
    }
    return positions;
}

// The chunks of a character file other than those a save builds anew.
std::vector<Bytes> copiedChunks(const Bytes& file) {
    std::vector<Bytes> chunks;
    for (const Section& s : ReadChunkList(file).sections) {
        if (s.ChunkType == "CTSS" || s.ChunkType == "rsmp" || (s.ChunkType == "STR#" && s.ChunkID == 200)) continue;
        chunks.emplace_back(file.begin() + s.ChunkOffset, file.begin() + s.ChunkOffset + s.ChunkSize);
    }
    return chunks;
}

TEST_F(DemoSave, NoToTheQuestionSavesNothingAndKeepsEveryRecordModified) {
    const auto before = allFiles();
    sim("User00001").Neat = 800;
    sim("User00001").Modified = true;
    const auto result = save(mrNo);
    EXPECT_TRUE(result.asked);
    EXPECT_FALSE(result.saved);
    EXPECT_FALSE(result.unanswered) << "No is an answer";
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)});
    EXPECT_TRUE(sim("User00001").Modified);
    EXPECT_EQ(allFiles(), before);

    dialogs.forgetShown();
    sim("User00001").Modified = false;
    EXPECT_FALSE(save(mrYes).asked) << "nothing modified: no question";
    EXPECT_TRUE(dialogs.messageTexts().empty());
}

TEST_F(DemoSave, RaisingNeatChangesExactlyItsTwoBytesAndKeepsACopyOfTheOriginal) {
    const Bytes before = ReadFileBytes(neighbourhood / "neighborhood.iff");
    Sim& victor = sim("User00001");
    ASSERT_EQ(victor.Neat, 900);
    victor.Neat = 300;  // 0x0384 to 0x012C: both bytes differ
    victor.Modified = true;
    EXPECT_TRUE(save(mrYes).saved);
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)}) << "no failure reported";
    const Bytes after = ReadFileBytes(neighbourhood / "neighborhood.iff");
    ASSERT_EQ(after.size(), before.size());
    const auto p = static_cast<std::size_t>(victor.NeighborEntryPos) + 32;
    EXPECT_EQ(differingPositions(before, after), (std::vector<std::size_t>{p, p + 1}));
    EXPECT_FALSE(victor.Modified);

    const auto& run = EditorAutoBackup(game).runFolder();
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(ReadFileBytes(run / "UserData" / "neighborhood.iff"), before);
    EXPECT_TRUE(std::filesystem::exists(run / "UserData" / "Characters" / "User00001.iff"));
}

// A save in one language rewrites that language's strings only: Victor's
// French name and biography stay byte for byte.
TEST_F(DemoSave, ASaveInOneLanguageKeepsTheOtherLanguagesNames) {
    auto names = [&] {
        const Bytes file = ReadFileBytes(characterFile("User00001"));
        const ChunkList chunks = ReadChunkList(file);
        const Section* ctss = FindChunk(chunks, "CTSS");
        EXPECT_NE(ctss, nullptr);
        const auto chunk = ChunkData(file, *ctss);
        return std::pair(Bytes(chunk.begin(), chunk.end()), ReadCharacterNames(chunk, 3));
    };
    const auto [before, french] = names();
    ASSERT_EQ(french.firstName, "\xC9tienne");
    const std::string ends("\0\0", 2);
    const std::string frenchStrings = "\x03\xC9tienne" + ends + "\x03" + french.bio + ends;
    ASSERT_NE(std::string(before.begin(), before.end()).find(frenchStrings), std::string::npos);
    Sim& victor = sim("User00001");
    victor.FirstName = "Vic";
    victor.Bio = "Sings.";
    victor.Modified = true;
    ASSERT_TRUE(save(mrYes).saved);

    const auto [after, frenchAfter] = names();
    EXPECT_NE(std::string(after.begin(), after.end()).find(frenchStrings), std::string::npos) << "French bytes kept";
    EXPECT_EQ(frenchAfter.firstName, "\xC9tienne");
    EXPECT_EQ(frenchAfter.bio, french.bio);
    EXPECT_EQ(ReadCharacterNames(after, 1).firstName, "Vic");
    EXPECT_EQ(ReadCharacterNames(after, 1).bio, "Sings.");
}

TEST_F(DemoSave, EditedValuesComeBackAfterLoadingAgainAndNothingElseChanges) {
    const auto recordsBefore = recordsAsJson();
    const auto filesBefore = allFiles();
    Sim& victor = sim("User00001");
    // Where the edited values stand in neighborhood.iff: cooking, cash, the
    // daily value toward Elena, the dog's playfulness.
    const auto p1 = static_cast<std::size_t>(victor.NeighborEntryPos);
    const auto p6 = static_cast<std::size_t>(sim("User00006").NeighborEntryPos);
    const std::set<std::size_t> editedBytes = [&] {
        std::set<std::size_t> at;
        for (std::size_t i = 0; i < 2; ++i) at.insert({p1 + 38 + i, p6 + 28 + i});
        for (std::size_t i = 0; i < 4; ++i) {
            at.insert(static_cast<std::size_t>(victor.FamilyChunkPos) + 12 + i);
            at.insert(static_cast<std::size_t>(victor.relationshipTo(2)->RecordPos) + 8 + i);
        }
        return at;
    }();
    victor.FirstName = "Viktor";
    victor.Bio = "Paints at night.";
    victor.Cooking = 333;
    victor.FamilyCash = 12345;
    victor.relationshipTo(2)->Daily = -20;
    victor.Modified = true;
    Sim& biscuit = sim("User00006");
    biscuit.Playful = 1000;
    biscuit.Modified = true;
    Sim& tess = sim("User00003");
    tess.Bio = "Reads under the blanket.";
    tess.Modified = true;
    EXPECT_TRUE(save(mrYes).saved);
    EXPECT_EQ(dialogs.messageTexts().size(), 1u) << "only the question";

    // What the others show of Victor changes with him.
    for (Sim* s : list.sims()) {
        if (s->LastName == "Marlow") s->FamilyCash = 12345;
        if (SimRelationShip* r = s->relationshipTo(1)) r->TargetFirstName = "Viktor";
    }
    const auto expected = [&] {
        std::map<std::string, std::string> records;
        for (const Sim* s : list.sims()) records[s->FileName] = cli::SimAsJson(*s, [](const std::string& t) { return t; });
        return records;
    }();
    open();
    const auto reloaded = recordsAsJson();
    for (const auto& [file, json] : expected) {
        EXPECT_EQ(differingLines(reloaded.at(file), json), std::vector<std::string>{}) << file << " reads back as saved";
    }
    EXPECT_EQ(differingLines(reloaded.at("User00001"), recordsBefore.at("User00001")).size(), 5u * 2)
        << "name, biography, cooking, cash and one relationship";
    EXPECT_EQ(differingLines(reloaded.at("User00005"), recordsBefore.at("User00005")).size(), 2u)
        << "Iris only sees Victor's new name";

    // Byte for byte: only the saved characters' files changed, and in them
    // only the chunks a save builds anew.
    const auto filesAfter = allFiles();
    for (const auto& [path, bytes] : filesBefore) {
        const std::string name = path.stem().string();
        if (name == "User00001" || name == "User00006" || name == "User00003") {
            EXPECT_EQ(copiedChunks(filesAfter.at(path)), copiedChunks(bytes)) << name;
        } else if (path.filename() != "neighborhood.iff") {
            EXPECT_EQ(filesAfter.at(path), bytes) << path;
        }
    }
    const Bytes& neighbourhoodBefore = filesBefore.at(neighbourhood / "neighborhood.iff");
    const Bytes& neighbourhoodAfter = filesAfter.at(neighbourhood / "neighborhood.iff");
    ASSERT_EQ(neighbourhoodAfter.size(), neighbourhoodBefore.size());
    for (std::size_t at : differingPositions(neighbourhoodBefore, neighbourhoodAfter)) {
        EXPECT_TRUE(editedBytes.contains(at)) << "byte " << at << " of neighborhood.iff changed";
    }
    EXPECT_GE(differingPositions(neighbourhoodBefore, neighbourhoodAfter).size(), 4u);

    // A second save of the reloaded, unchanged character writes the same bytes.
    sim("User00001").Modified = true;
    save(mrYes);
    EXPECT_EQ(ReadFileBytes(characterFile("User00001")), filesAfter.at(characterFile("User00001")));
    EXPECT_EQ(ReadFileBytes(neighbourhood / "neighborhood.iff"), neighbourhoodAfter);
}

TEST_F(DemoSave, ADamagedCharacterFileIsRefusedAndTheOthersAreSaved) {
    Bytes damaged = ReadFileBytes(characterFile("User00002"));
    const Section second = ReadChunkList(damaged).sections[1];
    std::fill_n(damaged.begin() + second.ChunkOffset + 4, 4, 0);
    { std::ofstream(characterFile("User00002"), std::ios::binary).write(reinterpret_cast<const char*>(damaged.data()), static_cast<std::streamsize>(damaged.size())); }
    const Bytes neighbourhoodBefore = ReadFileBytes(neighbourhood / "neighborhood.iff");
    sim("User00002").Neat = 1;
    sim("User00002").Modified = true;
    sim("User00005").Bio = "Moved here in spring.";
    sim("User00005").Modified = true;
    // Damaged after it was read: read again, the save finds the damage.
    save(mrYes, {mrOk});
    const auto texts = dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[1].starts_with(LangStr(7010) + " : User00002.iff: ")) << texts[1];
    EXPECT_TRUE(texts[1].ends_with("\n" + LangStr(7169))) << texts[1];
    EXPECT_EQ(ReadFileBytes(characterFile("User00002")), damaged);
    EXPECT_EQ(ReadFileBytes(neighbourhood / "neighborhood.iff"), neighbourhoodBefore) << "nothing of the refused character";
    EXPECT_TRUE(sim("User00002").Modified);
    EXPECT_FALSE(sim("User00005").Modified);
}

TEST_F(DemoSave, AFailedCharacterWriteLeavesBothFilesAsTheyWere) {
    // The copy of the character file cannot be kept, so no file of the save is written.
    EditorAutoBackup(game).keepOriginal(neighbourhood / "neighborhood.iff");
    const Bytes neighbourhoodBefore = ReadFileBytes(neighbourhood / "neighborhood.iff");
    const Bytes characterBefore = ReadFileBytes(characterFile("User00004"));
    std::filesystem::create_directories(EditorAutoBackup(game).runFolder() / "UserData");
    { std::ofstream(EditorAutoBackup(game).runFolder() / "UserData" / "Characters") << "in the way"; }
    sim("User00004").Logic = 42;
    sim("User00004").Modified = true;
    save(mrYes, {mrOk});
    const auto texts = dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[1].starts_with(LangStr(7010) + " : User00004Saving new character file\nCannot keep a backup copy of " +
                                     characterFile("User00004").string()))
        << texts[1];
    EXPECT_EQ(ReadFileBytes(neighbourhood / "neighborhood.iff"), neighbourhoodBefore);
    EXPECT_EQ(ReadFileBytes(characterFile("User00004")), characterBefore);
    EXPECT_TRUE(sim("User00004").Modified);
}

TEST_F(DemoSave, AFailedNeighbourhoodWriteLeavesTheCharacterFilesAsTheyWere) {
    // The neighbourhood's copy would go through a link to nowhere, so no file
    // of the save is written, the character file neither.
    AutoBackup& backup = EditorAutoBackup(game);
    backup.keepOriginal(game / "Sims.exe");
    std::filesystem::create_directories(backup.runFolder() / "UserData");
    std::filesystem::create_symlink(dir.path() / "no such folder" / "x", backup.runFolder() / "UserData" / "neighborhood.iff");
    const auto before = allFiles();
    sim("User00001").Neat = 300;
    sim("User00001").Bio = "Changed.";
    sim("User00001").Modified = true;
    save(mrYes, {mrOk});
    const auto texts = dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[1].starts_with(LangStr(7010) + " : Saving Neighborhood.iff\nCannot keep a backup copy of ")) << texts[1];
    EXPECT_EQ(allFiles(), before);
    EXPECT_TRUE(sim("User00001").Modified);
}

// neighborhood.iff changed under the open neighbourhood: a failure inside the
// save's own steps is told with its step and cause, and no file is written.
TEST_F(DemoSave, ANeighbourhoodThatNoLongerFitsTheRecordsIsToldAndNothingIsWritten) {
    struct Case {
        const char* fault;
        std::function<void()> damage;
        std::string told;  // what the failure message starts with
    };
    const std::vector<Case> cases{
        {"cut_to_half",
         [&] {
             Bytes bytes = ReadFileBytes(neighbourhood / "neighborhood.iff");
             bytes.resize(bytes.size() / 2);
             std::ofstream(neighbourhood / "neighborhood.iff", std::ios::binary)
                 .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
         },
         LangStr(7010) + " : "},
        {"stored_position_past_the_end",
         [&] { sim("User00001").NeighborEntryPos = 50'000'000; },
         LangStr(7010) + " : User00001"},
    };
    const auto pristine = allFiles();
    for (const Case& c : cases) {
        open();
        c.damage();
        const auto before = allFiles();
        dialogs.forgetShown();
        sim("User00001").Neat = 300;
        sim("User00001").FirstName = "Viktor";
        sim("User00001").Modified = true;
        save(mrYes, {mrOk});
        const auto texts = dialogs.messageTexts();
        ASSERT_EQ(texts.size(), 2u) << c.fault;
        EXPECT_TRUE(texts.back().starts_with(c.told)) << c.fault << ": " << texts.back();
        EXPECT_NE(texts.back().find("neighborhood.iff"), std::string::npos) << c.fault << ": the cause names the file";
        EXPECT_EQ(allFiles(), before) << c.fault;
        EXPECT_TRUE(sim("User00001").Modified) << c.fault;
        restore(pristine);
    }
}

// Elena is saved before Victor, whose values update fails after it wrote the
// family's cash: that cash is taken back, Elena's values stay, and only hers.
TEST_F(DemoSave, AValuesUpdateThatFailsPartWayLeavesNothingOfItsCharacter) {
    const Bytes before = ReadFileBytes(neighbourhood / "neighborhood.iff");
    Sim& elena = sim("User00002");
    elena.Neat = 123;
    elena.Modified = true;
    Sim& victor = sim("User00001");
    victor.FamilyCash = 777;
    victor.NeighborEntryPos = 50'000'000;  // a record no longer where it was read
    victor.Modified = true;
    const auto elenaNeat = static_cast<std::size_t>(elena.NeighborEntryPos) + 32;
    save(mrYes, {mrOk});
    ASSERT_EQ(dialogs.messageTexts().size(), 2u);
    EXPECT_TRUE(dialogs.messageTexts()[1].starts_with(LangStr(7010) + " : User00001")) << dialogs.messageTexts()[1];
    EXPECT_EQ(differingPositions(before, ReadFileBytes(neighbourhood / "neighborhood.iff")),
              (std::vector<std::size_t>{elenaNeat, elenaNeat + 1}))
        << "Elena's Neat, not Victor's cash";
    EXPECT_FALSE(elena.Modified);
    EXPECT_TRUE(victor.Modified);
}

TEST_F(DemoSave, WaitingImagesReplaceTheOldOnesAtLevel5AndTheListShowsTheNewThumbnail) {
    level_ = 5;  // the save's level; the demo opens at its own
    Bitmap red(3, 3, {250, 0, 0});
    const Bytes images = MakeChunk("BMP_", 2004, 0, "thumbnail", EncodeBmp24(red));
    std::filesystem::create_directories(dir.path() / "app");
    const auto waiting = CharacterImageFile(dir.path() / "app", "User00005");
    { std::ofstream(waiting, std::ios::binary).write(reinterpret_cast<const char*>(images.data()), static_cast<std::streamsize>(images.size())); }
    sim("User00005").Modified = true;
    save(mrYes);
    EXPECT_EQ(dialogs.messageTexts().size(), 1u) << testing::PrintToString(dialogs.messageTexts());
    EXPECT_FALSE(std::filesystem::exists(waiting));
    const auto& entries = list.entries();
    const auto iris = std::find_if(entries.begin(), entries.end(), [](const auto& e) { return e.sim->FileName == "User00005"; });
    ASSERT_TRUE(iris->thumbnail);
    EXPECT_EQ(iris->thumbnail->width, 3);
    const Bytes saved = ReadFileBytes(characterFile("User00005"));
    int bitmaps = 0;
    for (const Section& s : ReadChunkList(saved).sections) bitmaps += s.ChunkType == "BMP_" ? 1 : 0;
    EXPECT_EQ(bitmaps, 1) << "the waiting images took the old images' place";
}

TEST_F(DemoSave, ACharacterWhoseHeadIsNotInstalledLosesItsImages) {
    std::filesystem::remove(game / "GameData" / "Skins" / "c001malgt_bob.bmp");
    const auto neighbourhoodTime = std::filesystem::last_write_time(neighbourhood / "neighborhood.iff");
    sim("User00002").Modified = true;
    save(mrYes);
    EXPECT_EQ(std::filesystem::last_write_time(neighbourhood / "neighborhood.iff"), neighbourhoodTime)
        << "no value changed: neighborhood.iff is not written";
    EXPECT_FALSE(std::filesystem::exists(EditorAutoBackup(game).runFolder() / "UserData" / "neighborhood.iff"))
        << "and so needs no copy";
    const Bytes saved = ReadFileBytes(characterFile("User00002"));
    for (const Section& s : ReadChunkList(saved).sections) EXPECT_NE(s.ChunkType, "BMP_");
    EXPECT_FALSE(sim("User00002").ResetThumbnail);
    open();
    EXPECT_EQ(sim("User00002").HeadMesh, "") << "written as the bare key, never a dangling name";
}

// What the game or the command-line tool does to a file while the editor has
// the neighbourhood open: writes it longer, or writes it again as it was.
void AppendChunk(const fs::path& file) {
    const Bytes chunk = MakeChunk("STR#", 301, 0, "added by the game", Bytes{0xFD, 0xFF, 0x00, 0x00});
    std::ofstream(file, std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
}
void Touch(const fs::path& file) {
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::hours(1));
}

// A file changed on disk since it was read is read again, and the save
// writes the editor's changes into it as it is now: what the other program
// added stays, and nothing is asked while no value was changed on both sides.
TEST_F(DemoSave, AFileChangedOnDiskSinceItWasReadIsReadAgainAndKeepsWhatTheOtherProgramWrote) {
    struct Case {
        const char* name;
        bool neighbourhoodFile;  // else Victor's character file
        std::function<void(const fs::path&)> change;
    };
    const std::vector<Case> cases{
        {"character_file_grown", false, AppendChunk},
        {"character_file_touched", false, Touch},
        {"neighbourhood_touched", true, Touch},
        {"neighbourhood_grown", true, AppendChunk},
    };
    const auto pristine = allFiles();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        const fs::path file = c.neighbourhoodFile ? neighbourhood / "neighborhood.iff" : characterFile("User00001");
        c.change(file);
        const bool grown = ReadFileBytes(file).size() > pristine.at(file).size();
        dialogs.forgetShown();
        Sim& victor = sim("User00001");
        const auto victorNeat = static_cast<std::size_t>(victor.NeighborEntryPos) + 32;
        victor.Neat = 300;  // 0x012C in neighborhood.iff
        victor.FirstName = "Viktor";
        victor.Modified = true;
        Sim& elena = sim("User00002");
        const auto elenaNeat = static_cast<std::size_t>(elena.NeighborEntryPos) + 32;
        elena.Neat = 123;  // 0x007B
        elena.Modified = true;

        const auto result = save(mrYes);
        EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)});
        EXPECT_FALSE(result.unanswered);
        EXPECT_TRUE(result.reloadNeeded);
        EXPECT_FALSE(victor.Modified);
        EXPECT_FALSE(elena.Modified);
        const Bytes values = ReadFileBytes(neighbourhood / "neighborhood.iff");
        EXPECT_EQ(values[victorNeat], 0x2C);
        EXPECT_EQ(values[elenaNeat], 0x7B);
        if (grown) {
            bool kept = false;
            for (const Section& s : ReadChunkList(ReadFileBytes(file)).sections) kept = kept || s.ChunkID == 301;
            EXPECT_TRUE(kept) << "the chunk the other program added stays";
        }
        open();
        EXPECT_EQ(sim("User00001").FirstName, "Viktor");
        EXPECT_EQ(sim("User00001").Neat, 300);
        restore(pristine);
    }
}

// After a save the files as written are what the next save compares with;
// files nobody else touched are never asked about.
TEST_F(DemoSave, UnchangedFilesAndFilesAsTheSaveWroteThemAreNotAskedAbout) {
    Touch(characterFile("User00001"));
    Touch(neighbourhood / "neighborhood.iff");
    Sim& victor = sim("User00001");
    victor.Neat = 300;
    victor.Modified = true;
    Sim& elena = sim("User00002");
    elena.Bio = "Sings.";
    elena.Modified = true;
    save(mrYes);
    EXPECT_EQ(dialogs.messageTexts().size(), 1u) << "the changed files are read again: only the question";
    EXPECT_FALSE(victor.Modified);
    EXPECT_FALSE(elena.Modified);

    for (int again = 0; again < 2; ++again) {
        dialogs.forgetShown();
        victor.Neat = 400 + again;
        victor.Bio = "Saved " + std::to_string(again);
        victor.Modified = true;
        elena.Neat = 500 + again;
        elena.Modified = true;
        EXPECT_TRUE(save(mrYes).saved);
        EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)}) << "save " << again;
        EXPECT_FALSE(victor.Modified);
    }
}

// The game writes a file after the save's questions, while the save runs:
// the save writes nothing and says so, and the next save reads the file again.
TEST_F(DemoSave, AFileWrittenWhileTheSaveRunsIsNotOverwritten) {
    for (const char* file : {"neighborhood.iff", "Characters/User00001.iff"}) {
        SCOPED_TRACE(file);
        open();
        const fs::path path = neighbourhood / file;
        dialogs.forgetShown();
        sim("User00001").Neat = 300;
        sim("User00001").Modified = true;
        bool written = false;
        progress.duringSave = [&] {
            if (!std::exchange(written, true)) Touch(path);
        };
        const auto before = allFiles();
        save(mrYes, {mrOk});
        progress.duringSave = nullptr;
        ASSERT_TRUE(written);
        EXPECT_EQ(dialogs.messageTexts(), (std::vector<std::string>{LangStr(8075), LangStr(7010) + " : " + path.string() +
                                                                                       "\n" + LangStr(7196)}));
        EXPECT_EQ(allFiles(), before);
        EXPECT_TRUE(sim("User00001").Modified);

        dialogs.forgetShown();
        EXPECT_TRUE(save(mrYes).reloadNeeded);
        EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)});
        EXPECT_FALSE(sim("User00001").Modified);
        open();
        EXPECT_EQ(sim("User00001").Neat, 300);
    }
}

// Escape or the window's close box on a question (the save's, or the one
// about a value changed in the editor and on disk): no answer, so nothing is
// saved and nothing given up.
TEST_F(DemoSave, AQuestionClosedWithoutAnAnswerSavesNothingAndKeepsEveryChange) {
    struct Case {
        const char* name;
        bool fileChanged;  // the question about a changed file is the one left unanswered
    };
    for (const Case& c : {Case{"save_question", false}, Case{"changed_file_question", true}}) {
        SCOPED_TRACE(c.name);
        open();
        if (c.fileChanged) {
            // The game gives Victor a Neat of 301 (0x012D) after the editor read it.
            Bytes values = ReadFileBytes(neighbourhood / "neighborhood.iff");
            const auto at = static_cast<std::size_t>(sim("User00001").NeighborEntryPos) + 32;
            values[at] = 0x2D;
            values[at + 1] = 0x01;
            std::ofstream(neighbourhood / "neighborhood.iff", std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(values.data()), static_cast<std::streamsize>(values.size()));
            Touch(neighbourhood / "neighborhood.iff");
        }
        const auto before = allFiles();
        dialogs.forgetShown();
        sim("User00001").Neat = 300;
        sim("User00001").Modified = true;
        sim("User00002").LastName = "Hale";
        sim("User00002").LastNameChanged = true;
        sim("User00002").Modified = true;
        const auto result =
            c.fileChanged ? save(mrYes, {mrCancel}) : save(mrCancel);
        EXPECT_EQ(dialogs.messageTexts().size(), c.fileChanged ? 2u : 1u);
        EXPECT_TRUE(result.asked);
        EXPECT_TRUE(result.unanswered);
        EXPECT_FALSE(result.saved);
        EXPECT_FALSE(result.reloadNeeded);
        EXPECT_EQ(allFiles(), before);
        EXPECT_TRUE(sim("User00001").Modified);
        EXPECT_TRUE(sim("User00002").Modified);
        EXPECT_TRUE(sim("User00002").LastNameChanged);
    }
}

TEST_F(DemoSave, HouseholdMovesAskForTheNeighbourhoodToBeReadAgain) {
    Sim& iris = sim("User00005");
    iris.HouseNumber = 3;
    iris.FamilyChanged = true;
    iris.Modified = true;
    const auto result = save(mrYes);
    EXPECT_TRUE(result.familiesChanged);
    open();
    EXPECT_EQ(sim("User00005").LastName, "Marlow");
    EXPECT_EQ(sim("User00005").HouseNumber, 3);
}

// Two characters changed in one save: Victor's file and values, and Iris's
// family name, so the save writes two character files and neighborhood.iff.
class InterruptedDemoSave : public DemoSave {
protected:
    void SetUp() override {
        DemoSave::SetUp();
        // Built here once, so that every child process has it.
        LoadSkinData(GameSkinCatalogue(), SkinFolders(game, level_), progress);
        oldFiles = allFiles();
        const fs::path stepsFile = dir.path() / "steps.txt";
        ASSERT_EQ(test::RunInChild([&] {
                      const auto recorded = test::RecordCalls([&] { editAndSave(); });
                      std::ofstream out(stepsFile);
                      for (const test::CallStep& step : recorded) out << step.text() << "\n";
                      return 0;
                  }),
                  0);
        newFiles = allFiles();
        std::ifstream in(stepsFile);
        for (std::string line; std::getline(in, line);) steps.push_back(line);
        ASSERT_NE(newFiles, oldFiles);
    }

    // In a child process: the edits and the save; returns how many failures it told.
    int editAndSave() {
        Sim& victor = sim("User00001");
        victor.Neat = 300;
        victor.FirstName = "Viktor";
        victor.Modified = true;
        Sim& iris = sim("User00005");
        iris.LastName = "Hale";
        iris.LastNameChanged = true;
        iris.Modified = true;
        save(mrYes, {mrOk, mrOk, mrOk});
        int failures = 0;
        for (const std::string& text : dialogs.messageTexts()) failures += text.starts_with(LangStr(7010)) ? 1 : 0;
        return failures;
    }

    // "old" or "new" when every file of the neighbourhood is wholly one or the other.
    std::string state() const {
        const auto now = allFiles();
        return now == oldFiles ? "old" : now == newFiles ? "new" : "mixed";
    }

    std::vector<fs::path> halfMadeBackupCopies() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::recursive_directory_iterator(dir.path() / "app")) {
            if (IsSiblingTemporaryName(entry.path().filename().string())) found.push_back(entry.path());
        }
        return found;
    }

    std::map<fs::path, Bytes> oldFiles;
    std::map<fs::path, Bytes> newFiles;
    std::vector<std::string> steps;  // the system calls of an undisturbed save
};

TEST_F(InterruptedDemoSave, KilledAtEveryStepTheNextStartLeavesTheNeighbourhoodAllOldOrAllNew) {
    ASSERT_GE(steps.size(), 30u);
    std::map<std::string, int> outcomes;
    std::string matrix;
    for (std::size_t k = 0; k <= steps.size(); ++k) {
        restore(oldFiles);
        const int status = test::RunKilledAtCall(k, [&] { return editAndSave(); });
        const std::string step = k < steps.size() ? steps[k] : "(after the last call)";
        ASSERT_EQ(status, k < steps.size() ? test::kKilledAtCall : 0) << step;
        const InterruptedSave finished = FinishInterruptedGameSave();
        const std::string after = state();
        EXPECT_TRUE(after == "old" || after == "new") << "killed at " << step << ": " << after;
        EXPECT_EQ(halfMadeBackupCopies(), std::vector<fs::path>{}) << step;
        if (finished.outcome == InterruptedSave::Outcome::Undone) {
            EXPECT_EQ(after, "old") << step;
        }
        if (finished.outcome == InterruptedSave::Outcome::Completed) {
            EXPECT_EQ(after, "new") << step;
        }
        ++outcomes[after];
        matrix += "  " + std::to_string(k) + "\t" + step + "\t-> " + after + "\n";
    }
    std::cout << matrix << "save killed at each of " << steps.size() << " calls: " << outcomes["old"] << " all old, "
              << outcomes["new"] << " all new\n";
    EXPECT_GT(outcomes["old"], 0);
    EXPECT_GT(outcomes["new"], 0);
}

TEST_F(InterruptedDemoSave, AFailingCallAtEveryStepIsToldAndLeavesTheNeighbourhoodAllOldOrAllNew) {
    for (std::size_t k = 0; k < steps.size(); ++k) {
        restore(oldFiles);
        const int told = test::RunInChild([&] {
            test::FailingCall failing(k, ENOSPC);
            return editAndSave();
        });
        const std::string right = state();
        FinishInterruptedGameSave();
        const std::string after = state();
        EXPECT_TRUE(after == "old" || after == "new") << steps[k] << ": " << after;
        if (told == 0) {
            EXPECT_EQ(right, "new") << steps[k] << " failed unreported";
        } else {
            EXPECT_EQ(told, 1) << steps[k];
        }
        EXPECT_EQ(halfMadeBackupCopies(), std::vector<fs::path>{}) << steps[k];
    }
}

// A character at level 2 in the standard pajamas while the pajama texture
// made for its body texture lies in the skin folders.
TEST(PajamaTextureQuestion, OKMovesTheMatchingTextureToTheTrashCancelKeepsIt) {
    SetLanguageModule(LanguageModule::load(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
    test::TempDir dir;
    test::EnvOverride data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    GameBuilder game(dir.path() / "game");
    game.installation(2);
    const auto texture = game.writeFile("GameData\\Skins\\Pajamaflgt_casual.bmp", EncodeBmp24(Bitmap(2, 2, {1, 2, 3})));
    Sim sim;
    sim.Gender = 1;
    sim.SkinColor = 1;
    sim.BodyTexture = "B001FAfatlgt_casual";
    sim.PajamaTexture = "PAJAMAFLGT_01";
    const SkinFolders folders(game.root(), 2);
    EXPECT_EQ(MatchingPajamaTexture(sim, 2, folders), texture);
    EXPECT_TRUE(MatchingPajamaTexture(sim, 4, folders).empty()) << "from level 4 on sleepwear has its own entries";
    sim.Age = 27;
    EXPECT_TRUE(MatchingPajamaTexture(sim, 3, folders).empty()) << "at level 3 only children";

    test::ScriptedDialogs dialogs;
    dialogs.answer(mrCancel).answer(mrOk);
    AskAboutPajamaTexture(sim, 2, folders, dialogs);
    EXPECT_TRUE(std::filesystem::exists(texture));
    EXPECT_EQ(dialogs.messageTexts().front(), LangStr(8034) + "Pajamaflgt_casual.bmp\"\r\n" + LangStr(8035) +
                                                  "B001FAfatlgt_casual" + LangStr(8036) + "\r\n" + LangStr(8037) + "\r\n");
    AskAboutPajamaTexture(sim, 2, folders, dialogs);
    EXPECT_FALSE(std::filesystem::exists(texture));
    EXPECT_TRUE(std::filesystem::exists(HomeTrashFolder() / "files" / "Pajamaflgt_casual.bmp"));
    SetLanguageModule(LanguageModule());
}

}  // namespace
}  // namespace corvane
