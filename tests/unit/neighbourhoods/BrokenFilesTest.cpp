// Broken neighbourhood and character files, one row per fault: what opening
// the neighbourhood says, and that a save afterwards leaves every file as it was.

#include "TestPaths.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodLoader.h"

#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "support/EmptyCatalogue.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The files of a neighbourhood with two characters of one household:
// User00001, the one a row breaks, and User00002, always sound.
struct Files {
    Bytes neighbourhood;
    Bytes victim;
};

Section sectionOf(const Bytes& file, const std::string& type, int id = -1) {
    const ChunkList list = ReadChunkList(file);
    for (const Section& section : list.sections) {
        if (section.ChunkType == type && (id < 0 || section.ChunkID == id)) return section;
    }
    throw std::runtime_error("no " + type + " chunk");
}

void setChunkSize(Bytes& file, const std::string& type, int id, std::uint32_t size) {
    const auto at = static_cast<std::size_t>(sectionOf(file, type, id).ChunkOffset) + 4;
    for (std::size_t i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
}

// The file with its chunk of `type` replaced, and a new map.
Bytes withChunk(const Bytes& file, const std::string& type, const Bytes& replacement) {
    return RewriteIff(file, ReadChunkList(file), [&](const Section& section) {
        return section.ChunkType == type ? ChunkDecision::replace(replacement) : ChunkDecision::copy();
    }, false);
}

std::string offsetOf(const Bytes& file, const std::string& type, int id = -1) {
    return std::to_string(sectionOf(file, type, id).ChunkOffset);
}

// Answers Yes to every question and OK to every message, and keeps their texts.
class AgreeingDialogs : public Dialogs {
public:
    ModalResult showMessage(const MessageRequest& request) override {
        texts.push_back(request.text);
        for (const DialogButton& button : request.buttons) {
            if (button.result == mrYes) return mrYes;
        }
        return request.buttons.empty() ? mrOk : request.buttons.front().result;
    }
    std::optional<std::filesystem::path> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> chooseFolder(const FolderRequest&) override { return std::nullopt; }
    std::string all() const {
        std::string joined;
        for (const std::string& text : texts) joined += text + "\n";
        return joined;
    }
    std::vector<std::string> texts;
};

struct BrokenFile {
    const char* fault;
    std::function<void(Files&)> breakFiles;
    // What opening the neighbourhood says (every part must appear, in order, in one message).
    // Offsets are those of the sound files, sizes those of the broken ones.
    std::function<std::vector<std::string>(const Files& sound, const Files& broken)> message;
    bool victimListed;  // with Sim::Damage set
    // The rows whose character file an earlier save rewrote whole.
    bool rewrittenBefore = false;
    // A last-name change instead of a value: the save must refuse the character.
    bool renameFamily = false;
};

struct OpenedRow;

class BrokenFiles : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::load(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
        game.installation(0);
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }

    Files soundFiles() {
        NeighbourhoodFileSpec neighbourhood{NeighbourhoodVersionFor(0), {}, {}};
        FamilySpec goths{7, "Goth", 12, 30000, 45000, {}};
        Files files;
        for (int id : {1, 2}) {
            CharacterFileSpec character;
            character.fileName = "User0000" + std::to_string(id);
            character.guid = 0x01010101u * static_cast<std::uint32_t>(id);
            character.names = {{1, {"Name" + std::to_string(id), "Bio"}}};
            character.bodyStrings = StandardBodyStrings("adult", 0, "fit");
            NeighbourSpec neighbour;
            neighbour.fileName = character.fileName;
            neighbour.neighbourId = id;
            neighbour.guid = character.guid;
            neighbour.personData = {{58, 27}, {6, 500}};
            neighbourhood.neighbours.push_back(neighbour);
            goths.members.push_back(character.guid);
            if (id == 1) files.victim = MakeCharacterFile(character);
            else other = MakeCharacterFile(character);
        }
        neighbourhood.families = {goths};
        files.neighbourhood = MakeNeighbourhoodFile(neighbourhood);
        return files;
    }

    std::filesystem::path write(const Files& files) {
        auto folder = game.neighbourhood("UserData");
        game.writeFile("UserData/neighborhood.iff", files.neighbourhood);
        game.writeFile("UserData/Characters/User00001.iff", files.victim);
        game.writeFile("UserData/Characters/User00002.iff", other);
        return folder;
    }

    // Writes the row's files and opens the neighbourhood as the command line reads it.
    void open(const BrokenFile& row, OpenedRow& opened);

    std::map<std::filesystem::path, Bytes> allFiles() const {
        std::map<std::filesystem::path, Bytes> all;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(game.root() / "UserData")) {
            if (entry.is_regular_file()) all[entry.path()] = ReadFileBytes(entry.path());
        }
        return all;
    }

    test::TempDir dir;
    test::EnvOverride home{"CORVANE_HOME", (dir.path() / "app").string()};
    test::EnvOverride trash{"XDG_DATA_HOME", (dir.path() / "data").string()};
    GameBuilder game{dir.path() / "game"};
    Bytes other;  // User00002.iff
};

std::vector<BrokenFile> brokenFiles() {
    auto tooShortForGuid = [](Files& f) {
        f.victim = withChunk(f.victim, "OBJD", MakeChunk("OBJD", 128, 0, "User00001 - Name1", Bytes(20, 0)));
    };
    return {
        {"chunk_size_past_end",
         [](Files& f) { setChunkSize(f.victim, "STR#", 200, 0x7FFFFFFF); },
         [](const Files& s, const Files& b) {
             return std::vector<std::string>{LangStr(7173), "User00001.iff: the STR# chunk at offset " + offsetOf(s.victim, "STR#", 200) +
                                                                " claims 2147483647 bytes, past the end of the file (" +
                                                                std::to_string(b.victim.size()) + " bytes); left in place"};
         },
         true},
        {"ctss_size_past_end",
         [](Files& f) { setChunkSize(f.victim, "CTSS", 2000, 0x7FFFFFFF); },
         [](const Files& s, const Files&) {
             return std::vector<std::string>{LangStr(7173), "User00001.iff: the CTSS chunk at offset " + offsetOf(s.victim, "CTSS") +
                                                                " claims 2147483647 bytes, past the end of the file"};
         },
         true},
        {"chunk_size_under_header",
         [](Files& f) { setChunkSize(f.victim, "SLOT", 128, 40); },
         [](const Files& s, const Files&) {
             return std::vector<std::string>{LangStr(7173), "User00001.iff: the SLOT chunk at offset " + offsetOf(s.victim, "SLOT") +
                                                                " claims 40 bytes, less than its 76-byte header"};
         },
         true},
        {"bytes_left_after_last_chunk",
         [](Files& f) { f.victim.insert(f.victim.end(), 30, 'x'); },
         [](const Files&, const Files& b) {
             return std::vector<std::string>{LangStr(7173), "User00001.iff: 30 bytes at offset " + std::to_string(b.victim.size() - 30) +
                                                                " after the last chunk are not a whole chunk"};
         },
         true},
        {"body_strings_unterminated",
         [](Files& f) {
             const Section body = sectionOf(f.victim, "STR#", 200);
             const auto end = f.victim.begin() + body.ChunkOffset + body.ChunkSize;
             std::replace(f.victim.begin() + body.ChunkOffset + 80, end, std::uint8_t{0}, std::uint8_t{' '});
         },
         [](const Files& s, const Files&) {
             const int entry = sectionOf(s.victim, "STR#", 200).ChunkOffset + 81;
             return std::vector<std::string>{LangStr(7173), "User00001.iff: the body strings end inside entry 0 at offset " +
                                                                std::to_string(entry)};
         },
         true, /*rewrittenBefore=*/true},
        {"body_strings_fewer_entries",
         [](Files& f) { f.victim[static_cast<std::size_t>(sectionOf(f.victim, "STR#", 200).ChunkOffset) + 78] = 40; },
         [](const Files& s, const Files&) {
             return std::vector<std::string>{LangStr(7173), "User00001.iff: the body strings hold 30 of their 40 entries; the chunk at offset " +
                                                                offsetOf(s.victim, "STR#", 200)};
         },
         true, /*rewrittenBefore=*/true},
        {"objd_cut_short", tooShortForGuid,
         [](const Files&, const Files&) {
             return std::vector<std::string>{LangStr(7167), "User00001.iff (User00001.iff: the OBJD chunk at offset 64 holds 20 data bytes, "
                                                            "too few for the GUID at data offset 28)"};
         },
         false},
        {"neighbourhood_truncated_194", [](Files& f) { f.neighbourhood.resize(194); },
         [](const Files&, const Files&) {
             return std::vector<std::string>{LangStr(7171), "neighborhood.iff: the NGBH chunk at offset 64 claims",
                                             "past the end of the file (194 bytes)"};
         },
         false},
        {"neighbourhood_cut_in_person_data",
         [](Files& f) { f.neighbourhood.resize(static_cast<std::size_t>(sectionOf(f.neighbourhood, "NBRS").ChunkOffset) + 250); },
         [](const Files& s, const Files& b) {
             return std::vector<std::string>{LangStr(7171), "neighborhood.iff: the NBRS chunk at offset " + offsetOf(s.neighbourhood, "NBRS"),
                                             "past the end of the file (" + std::to_string(b.neighbourhood.size()) + " bytes)"};
         },
         false},
        {"neighbourhood_too_short_for_version", [](Files& f) { f.neighbourhood.resize(100); },
         [](const Files&, const Files&) {
             return std::vector<std::string>{LangStr(7171), "neighborhood.iff: the file holds 100 bytes, too few for the game version at offset 144"};
         },
         false},
        {"neighbourhood_bytes_left_after_last_chunk", [](Files& f) { f.neighbourhood.insert(f.neighbourhood.end(), 12, 'x'); },
         [](const Files&, const Files& b) {
             return std::vector<std::string>{LangStr(7171), "neighborhood.iff: 12 bytes at offset " + std::to_string(b.neighbourhood.size() - 12) +
                                                                " after the last chunk are not a whole chunk"};
         },
         false},
        {"fams_size_past_end", [](Files& f) { setChunkSize(f.neighbourhood, "FAMs", 7, 0x7FFFFFFF); },
         [](const Files& s, const Files&) {
             return std::vector<std::string>{LangStr(7171), "neighborhood.iff: the FAMs chunk at offset " + offsetOf(s.neighbourhood, "FAMs") +
                                                                " claims 2147483647 bytes, past the end of the file"};
         },
         false},
        {"fams_chunk_short",
         [](Files& f) {
             const Bytes name{0xFD, 0xFF, 0x01, 0x00, 0x01, 'G'};  // 82 bytes: one short of a name and its last two bytes
             f.neighbourhood = withChunk(f.neighbourhood, "FAMs", MakeChunk("FAMs", 7, 0, "", name));
         },
         [](const Files& s, const Files&) {
             return std::vector<std::string>{LangStr(7010), "neighborhood.iff: the FAMs chunk at offset " + offsetOf(s.neighbourhood, "FAMs") +
                                                                " holds 82 bytes, fewer than the 83 a family name needs"};
         },
         true, false, /*renameFamily=*/true},
    };
}

// Where each part of `parts` stands in `text`, in order; false when one is missing.
bool holdsInOrder(const std::string& text, const std::vector<std::string>& parts) {
    std::size_t at = 0;
    for (const std::string& part : parts) {
        at = text.find(part, at);
        if (at == std::string::npos) return false;
        at += part.size();
    }
    return true;
}

// The names of the files that differ between two snapshots.
std::vector<std::string> changedFiles(const std::map<std::filesystem::path, Bytes>& before,
                                      const std::map<std::filesystem::path, Bytes>& after) {
    std::vector<std::string> changed;
    for (const auto& [path, bytes] : after) {
        auto old = before.find(path);
        if (old == before.end() || old->second != bytes) changed.push_back(path.filename().string());
    }
    for (const auto& [path, bytes] : before) {
        if (!after.contains(path)) changed.push_back(path.filename().string() + " (gone)");
    }
    return changed;
}

// One row's neighbourhood, written and opened for reading.
struct OpenedRow {
    Files sound;
    Files broken;
    std::filesystem::path folder;
    std::map<std::filesystem::path, Bytes> before;
    AgreeingDialogs dialogs;
    CharacterList list;

    Sim* victim() const {
        for (Sim* sim : list.sims()) {
            if (sim->FileName == "User00001") return sim;
        }
        return nullptr;
    }
};

TEST_F(BrokenFiles, EachFaultIsNamedWhenTheNeighbourhoodIsOpened) {
    for (const BrokenFile& row : brokenFiles()) {
        SCOPED_TRACE(row.fault);
        OpenedRow opened;
        open(row, opened);
        EXPECT_EQ(changedFiles(opened.before, allFiles()), std::vector<std::string>{}) << "opening changes no file";
        const std::vector<std::string> parts = row.message(opened.sound, opened.broken);
        if (!row.renameFamily) {
            EXPECT_TRUE(std::any_of(opened.dialogs.texts.begin(), opened.dialogs.texts.end(),
                                    [&](const std::string& text) { return holdsInOrder(text, parts); }))
                << opened.dialogs.all();
        }
        for (Sim* sim : opened.list.sims()) {
            EXPECT_FALSE(sim->Modified) << sim->FileName << ": nothing to save after opening";
            EXPECT_EQ(sim->isDamaged(), sim->FileName == "User00001" && !row.renameFamily) << sim->Damage;
        }
        Sim* victim = opened.victim();
        ASSERT_EQ(victim != nullptr, row.victimListed) << opened.dialogs.all();
        if (victim != nullptr && victim->isDamaged()) {
            const std::string& cause = parts.back();
            EXPECT_TRUE(holdsInOrder(victim->Damage, {cause.substr(0, cause.find("; left in place"))})) << victim->Damage;
        }
        std::filesystem::remove_all(opened.folder);
    }
}

void BrokenFiles::open(const BrokenFile& row, OpenedRow& opened) {
    opened.sound = soundFiles();
    opened.broken = opened.sound;
    row.breakFiles(opened.broken);
    opened.folder = write(opened.broken);
    opened.before = allFiles();
    NeighbourhoodLoadSettings load;
    load.folder = opened.folder;
    load.applicationFolder = dir.path() / "app";
    SilentProgress quiet;
    OpenedNeighbourhood loaded = OpenNeighbourhood(load, opened.dialogs, quiet);
    opened.list.assign(std::move(loaded.characters), std::move(loaded.thumbnails), loaded.imageStamp);
}

// Neither a damaged character nor one whose family records cannot be
// rewritten soundly changes any file.
TEST_F(BrokenFiles, ASaveAfterOpeningLeavesEveryFileAsItWas) {
    for (const BrokenFile& row : brokenFiles()) {
        SCOPED_TRACE(row.fault);
        OpenedRow opened;
        open(row, opened);
        Sim* victim = opened.victim();
        if (victim == nullptr) {
            std::filesystem::remove_all(opened.folder);
            continue;
        }
        if (row.renameFamily) {
            victim->LastName = "Gothic";
            victim->LastNameChanged = true;
        } else {
            victim->Neat = 800;
        }
        victim->Modified = true;
        AgreeingDialogs saving;
        SilentProgress progress;
        const SkinCatalogue catalogue = test::EmptyCatalogue();
        CharacterSaveSettings settings;
        settings.gameFolder = game.root();
        settings.neighbourhoodFolder = opened.folder;
        settings.applicationFolder = dir.path() / "app";
        CharacterSaveServices services{saving, progress, [&]() -> const SkinCatalogue& { return catalogue; }};
        SaveModifiedCharacters(opened.list, settings, services);
        if (row.renameFamily) {
            const std::vector<std::string> parts = row.message(opened.sound, opened.broken);
            EXPECT_TRUE(std::any_of(saving.texts.begin(), saving.texts.end(),
                                    [&](const std::string& text) { return holdsInOrder(text, parts); }))
                << saving.all();
        }
        EXPECT_EQ(changedFiles(opened.before, allFiles()), std::vector<std::string>{}) << saving.all();
        std::filesystem::remove_all(opened.folder);
    }
}

}  // namespace
}  // namespace corvane
