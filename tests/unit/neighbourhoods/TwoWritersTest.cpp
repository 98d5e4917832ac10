// Two writers on one neighbourhood: another editor window (or the game) saves
// after this editor read the files, then this editor saves its own changes.

#include "TestPaths.h"
#include "neighbourhoods/CharacterSave.h"

#include "demo/DemoInstallation.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "sim/FieldAssignment.h"
#include "sim/SimFields.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinFolders.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "unit/neighbourhoods/DemoReading.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <optional>

namespace corvane {
namespace {

namespace fs = std::filesystem;
constexpr int kDemoLevel = 7;

// One field assignment, as a page or `set` makes it.
struct Assignment {
    const char* file;
    const char* field;
    const char* value;
};

class TwoWriters : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::load(fs::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
        neighbourhood = game / "UserData";
        for (const auto& entry : fs::recursive_directory_iterator(neighbourhood)) {
            if (entry.is_regular_file()) pristine[entry.path()] = ReadFileBytes(entry.path());
        }
    }
    void TearDown() override {
        SetLanguageModule(LanguageModule());
        DiscardSkinCatalogue(GameSkinCatalogue());
    }

    // The neighbourhood as the demo made it, its files an hour old, so that
    // any later write shows in their stamps however coarse the clock.
    void restorePristine() {
        for (const auto& entry : fs::recursive_directory_iterator(neighbourhood)) {
            if (entry.is_regular_file() && !pristine.contains(entry.path())) fs::remove(entry.path());
        }
        const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& [path, bytes] : pristine) {
            std::ofstream(path, std::ios::binary | std::ios::trunc)
                .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            fs::last_write_time(path, anHourAgo);
        }
    }

    NeighbourhoodLoadSettings reading() const { return DemoReading(game, dir.path() / "app"); }

    // An editor window: the neighbourhood read into a document.
    std::unique_ptr<Document> openWindow() const {
        auto document = std::make_unique<Document>(kDemoLevel);
        test::ScriptedDialogs quiet;
        SilentProgress progress;
        OpenedNeighbourhood opened = OpenNeighbourhood(reading(), quiet, progress);
        document->open(std::move(opened.characters), std::move(opened.thumbnails), std::move(opened.image),
                       opened.imageStamp);
        return document;
    }

    const SkinCatalogue& catalogue() const {
        SkinCatalogue& catalogue = GameSkinCatalogue();
        SilentProgress progress;
        if (!catalogue.complete()) LoadSkinData(catalogue, SkinFolders(game, kDemoLevel), progress);
        return catalogue;
    }

    void assign(Document& window, const Assignment& a) {
        if (!installed) installed.emplace(skinFolders, catalogue());
        AssignField(window, record(window, a.file), a.field, a.value,
                    [this]() -> const InstalledSkins& { return *installed; });
    }

    // Save, Yes, then `answers` to whatever the save asks next.
    CharacterSaveResult save(Document& window, test::ScriptedDialogs& dialogs, const std::vector<ModalResult>& answers = {}) {
        dialogs.answer(mrYes);
        for (ModalResult answer : answers) dialogs.answer(answer);
        CharacterSaveSettings settings;
        settings.gameFolder = game;
        settings.neighbourhoodFolder = neighbourhood;
        settings.applicationFolder = dir.path() / "app";
        settings.expansionLevel = kDemoLevel;
        settings.reading = reading();
        SilentProgress progress;
        CharacterSaveServices services{dialogs, progress, [this]() -> const SkinCatalogue& { return catalogue(); }};
        return SaveModifiedCharacters(window.characters(), settings, services);
    }

    // The second window opens, makes `change` and saves.
    void anotherWriterSaves(const Assignment& change) {
        const auto other = openWindow();
        assign(*other, change);
        test::ScriptedDialogs dialogs;
        ASSERT_TRUE(save(*other, dialogs).saved);
        ASSERT_FALSE(record(*other, change.file).Modified) << "the other writer's save went through";
    }

    // This editor reads the neighbourhood, another writer saves `other`,
    // then this editor makes `own` changes.
    std::unique_ptr<Document> editorAfterAnotherWriter(const Assignment& other, const std::vector<Assignment>& own) {
        restorePristine();
        auto editor = openWindow();
        anotherWriterSaves(other);
        for (const Assignment& change : own) assign(*editor, change);
        return editor;
    }

    static Sim& record(const Document& window, const std::string& file) {
        for (Sim* sim : window.sims()) {
            if (sim->FileName == file) return *sim;
        }
        throw std::runtime_error("no " + file);
    }

    static std::string valueOf(const Sim& sim, std::string_view field) {
        for (const SimField& f : SimFieldTable()) {
            if (f.name != field) continue;
            return std::visit(
                [&](auto member) {
                    const auto& value = sim.*member;
                    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                        return value;
                    } else {
                        return std::to_string(value);
                    }
                },
                f.member);
        }
        throw std::runtime_error("no field " + std::string(field));
    }
    std::string onDisk(const Assignment& a) const { return valueOf(record(*openWindow(), a.file), a.field); }

    fs::path characterFile(const std::string& file) const { return neighbourhood / "Characters" / (file + ".iff"); }

    test::TempDir dir;
    test::EnvOverride home{"CORVANE_HOME", (dir.path() / "app").string()};
    test::EnvOverride data{"XDG_DATA_HOME", (dir.path() / "data").string()};
    fs::path game = EnsureDemoInstallation(dir.path());
    fs::path neighbourhood;
    std::map<fs::path, std::vector<std::uint8_t>> pristine;
    SkinFolders skinFolders{game, kDemoLevel};
    std::optional<InstalledSkins> installed;
};

// Each fault: the save writes this editor's whole stale records back over
// what the other writer saved in the meantime.
TEST_F(TwoWriters, TheOtherWritersValuesSurviveAndTheEditorsChangeLands) {
    struct Case {
        const char* fault;
        Assignment other;
        Assignment editor;
        std::vector<Assignment> afterwards;  // on disk and in the editor
    };
    const std::vector<Case> cases{
        {"other_field_of_the_same_sim_written_back", {"User00001", "Neat", "111"}, {"User00001", "Nice", "800"},
         {{"User00001", "Neat", "111"}, {"User00001", "Nice", "800"}}},
        {"another_sims_values_written_back", {"User00002", "Neat", "222"}, {"User00001", "Nice", "800"},
         {{"User00002", "Neat", "222"}, {"User00001", "Nice", "800"}}},
        {"household_cash_written_back", {"User00002", "FamilyCash", "77777"}, {"User00001", "Nice", "800"},
         {{"User00001", "FamilyCash", "77777"}, {"User00002", "FamilyCash", "77777"}, {"User00001", "Nice", "800"}}},
        {"household_cash_written_back_by_a_name_change", {"User00002", "FamilyCash", "77777"},
         {"User00001", "FirstName", "Viktor"},
         {{"User00001", "FamilyCash", "77777"}, {"User00001", "FirstName", "Viktor"}}},
        {"character_file_name_written_back", {"User00001", "FirstName", "Vic"}, {"User00001", "Nice", "800"},
         {{"User00001", "FirstName", "Vic"}, {"User00001", "Nice", "800"}}},
        {"character_file_name_lost_to_own_name_change", {"User00001", "Bio", "Plays chess."},
         {"User00001", "FirstName", "Viktor"},
         {{"User00001", "Bio", "Plays chess."}, {"User00001", "FirstName", "Viktor"}}},
        {"character_file_skin_written_back", {"User00002", "BodyTexture", "b001fafatlgt_summer"},
         {"User00002", "Nice", "800"},
         {{"User00002", "BodyTexture", "b001fafatlgt_summer"}, {"User00002", "Nice", "800"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto editor = editorAfterAnotherWriter(c.other, {c.editor});
        test::ScriptedDialogs dialogs;
        const CharacterSaveResult result = save(*editor, dialogs);
        EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{LangStr(8075)}) << "nothing to ask: no value changed twice";
        EXPECT_TRUE(result.saved);
        EXPECT_TRUE(result.reloadNeeded);
        EXPECT_FALSE(record(*editor, c.editor.file).Modified);
        for (const Assignment& expected : c.afterwards) {
            SCOPED_TRACE(std::string(expected.file) + " " + expected.field);
            EXPECT_EQ(onDisk(expected), expected.value);
            EXPECT_EQ(valueOf(record(*editor, expected.file), expected.field), expected.value) << "the editor shows the files";
        }

        test::ScriptedDialogs again;
        assign(*editor, {"User00001", "Neat", "333"});
        save(*editor, again);
        EXPECT_EQ(again.messageTexts(), std::vector<std::string>{LangStr(8075)})
            << "the files as merged are what the next save starts from";
        EXPECT_EQ(onDisk({"User00001", "Neat", ""}), "333");
    }
}

// The same value changed on both sides: the question names it with both
// values; Yes keeps the editor's, No the one on disk, closing it saves nothing.
TEST_F(TwoWriters, AValueChangedOnBothSidesIsAskedAbout) {
    struct Case {
        const char* fault;
        Assignment other;
        Assignment editor;
        Assignment alsoEditor;  // a change no one else made: saved unless the question is closed
        std::string owner;      // as the question names it
        ModalResult answer;
        const char* afterwards;  // the value on disk and in the editor
        std::vector<std::string> holders;  // the records that hold the value
    };
    const Assignment nice{"User00002", "Nice", "800"};
    const std::vector<Case> cases{
        {"editors_value_lost_on_yes", {"User00001", "Neat", "111"}, {"User00001", "Neat", "300"}, nice,
         "Victor Marlow (User00001)", mrYes, "300", {"User00001"}},
        {"other_writers_value_lost_on_no", {"User00001", "Neat", "111"}, {"User00001", "Neat", "300"}, nice,
         "Victor Marlow (User00001)", mrNo, "111", {"User00001"}},
        {"household_cash_asked_once_per_member", {"User00002", "FamilyCash", "77777"}, {"User00001", "FamilyCash", "55555"},
         nice, "Household Marlow", mrYes, "55555", {"User00001", "User00002", "User00003"}},
        {"household_cash_overwritten_on_no", {"User00002", "FamilyCash", "77777"}, {"User00001", "FamilyCash", "55555"},
         nice, "Household Marlow", mrNo, "77777", {"User00001", "User00002", "User00003"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const auto editor = editorAfterAnotherWriter(c.other, {c.editor, c.alsoEditor});
        test::ScriptedDialogs dialogs;
        const CharacterSaveResult result = save(*editor, dialogs, {c.answer});
        const fs::path file = neighbourhood / "neighborhood.iff";
        EXPECT_EQ(dialogs.messageTexts(),
                  (std::vector<std::string>{LangStr(8075), LangStr(7340) + "\n" + file.string() + "\n" + c.owner + ": " +
                                                               c.editor.field + "\n" + LangStr(7341) + " " +
                                                               c.other.value + "\n" + LangStr(7342) + " " +
                                                               c.editor.value + "\n" + LangStr(7343)}));
        EXPECT_TRUE(result.saved);
        EXPECT_FALSE(result.unanswered);
        for (const std::string& holder : c.holders) {
            EXPECT_EQ(onDisk({holder.c_str(), c.editor.field, ""}), c.afterwards) << holder;
            EXPECT_EQ(valueOf(record(*editor, holder), c.editor.field), c.afterwards) << holder;
        }
        EXPECT_EQ(onDisk(c.alsoEditor), c.alsoEditor.value);
    }
}

TEST_F(TwoWriters, AQuestionClosedWithoutAnAnswerSavesNothingAndKeepsEveryChange) {
    const auto editor =
        editorAfterAnotherWriter({"User00001", "Neat", "111"}, {{"User00001", "Neat", "300"}, {"User00002", "Nice", "800"}});
    std::map<fs::path, std::vector<std::uint8_t>> written;
    for (const auto& [path, bytes] : pristine) written[path] = ReadFileBytes(path);
    const Sim victorBefore = record(*editor, "User00001");
    test::ScriptedDialogs dialogs;
    const CharacterSaveResult result = save(*editor, dialogs, {mrCancel});
    EXPECT_EQ(dialogs.messageTexts().size(), 2u);
    EXPECT_TRUE(result.unanswered);
    for (const auto& [path, bytes] : written) EXPECT_EQ(ReadFileBytes(path), bytes) << path;
    EXPECT_EQ(record(*editor, "User00001"), victorBefore) << "the record is as the user left it";
    EXPECT_TRUE(record(*editor, "User00002").Modified);
    EXPECT_TRUE(editor->canUndo());
}

}  // namespace
}  // namespace corvane
