// Replacing an installed skin file (import, export, CMX build) under every
// fault a disk or a kill can bring at every system call of the replacement:
// the game's file is whole, old or new, at every moment, and the old one is
// never lost.

#include "platform/AppFolder.h"
#include "platform/AtomicFile.h"
#include "platform/ShellFileOps.h"
#include "platform/SystemCalls.h"
#include "skintools/CmxBuilderSave.h"
#include "skintools/SkinExport.h"
#include "skintools/TextureImport.h"
#include "support/FaultInjection.h"
#include "unit/skintools/SkinToolFixture.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <set>

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Says Yes, else OK, to everything but deleting the chosen bitmap: the user
// who wants the file replaced.
class AgreeingDialogs : public Dialogs {
public:
    ModalResult showMessage(const MessageRequest& request) override {
        if (request.text == DeleteSourceQuestionText()) return mrNo;
        for (const ModalResult wanted : {mrYes, mrOk}) {
            for (const DialogButton& button : request.buttons) {
                if (button.result == wanted) return wanted;
            }
        }
        return request.buttons.empty() ? mrOk : request.buttons.front().result;
    }
    std::optional<fs::path> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<fs::path> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<fs::path> chooseFolder(const FolderRequest&) override { return std::nullopt; }
};

class SkinReplaceFaultsTest;

struct ReplacingTool {
    const char* name;
    const char* target;  // below GameData/Skins: the installed file it replaces
    void (*prepare)(SkinReplaceFaultsTest&);
    void (*replace)(SkinReplaceFaultsTest&, Dialogs&);
};

class SkinReplaceFaultsTest : public test::SkinToolTest, public ::testing::WithParamInterface<ReplacingTool> {
public:
    using SkinToolTest::builtCatalogue;
    using SkinToolTest::folders;
    using SkinToolTest::game;
    using SkinToolTest::skins;

    void SetUp() override {
        SkinToolTest::SetUp();
        GetParam().prepare(*this);
        game.writeText(std::string("GameData\\Skins\\") + GetParam().target, kOldBytes);
        for (const auto& entry : fs::directory_iterator(skins())) baseline.insert(entry.path());
    }

    fs::path target() const { return skins() / GetParam().target; }

    // Back to the installation before the replacement: the old file, nothing
    // new beside it, an empty Trash.
    void reset() {
        for (const auto& entry : fs::directory_iterator(skins())) {
            if (!baseline.contains(entry.path())) fs::remove(entry.path());
        }
        fs::remove_all(folder.path() / "data" / "Trash");
        game.writeText(std::string("GameData\\Skins\\") + GetParam().target, kOldBytes);
    }

    // A failure the tool reports by throwing counts as reported: the page shows it.
    void replace() {
        AgreeingDialogs yes;
        try {
            GetParam().replace(*this, yes);
        } catch (const std::exception&) {
        }
    }

    // The contents of every file in the Trash.
    std::multiset<std::string> trashContents() const {
        std::multiset<std::string> contents;
        const fs::path files = folder.path() / "data" / "Trash" / "files";
        if (!fs::exists(files)) return contents;
        for (const auto& entry : fs::directory_iterator(files)) contents.insert(ReadTextFile(entry.path()));
        return contents;
    }

    // A file's bytes less its first line when that is a comment: the CMX
    // builder stamps the time there.
    static std::string unstamped(const std::string& bytes) {
        return bytes.starts_with("//") ? bytes.substr(bytes.find('\n') + 1) : bytes;
    }

    // What the game's folder holds in the file's place: "old", "new", or what is wrong.
    std::string state(const std::string& newBytes) const {
        if (!fs::exists(target())) return "missing";
        const std::string now = ReadTextFile(target());
        if (now == kOldBytes) return "old";
        if (unstamped(now) == unstamped(newBytes)) return trashContents().contains(kOldBytes) ? "new" : "new, the old file lost";
        return "mixed (" + std::to_string(now.size()) + " bytes)";
    }

    std::vector<std::string> hiddenLeftovers() const {
        std::vector<std::string> hidden;
        for (const auto& entry : fs::directory_iterator(skins())) {
            if (entry.path().filename().string().front() == '.') hidden.push_back(entry.path().filename().string());
        }
        return hidden;
    }

    static inline const std::string kOldBytes = "the old file, which must not be lost";
    std::set<fs::path> baseline;
    std::vector<std::uint8_t> picture = bitmap8(64, 64);
    fs::path source = writeBitmap("red.bmp", picture);
};

void nothingToPrepare(SkinReplaceFaultsTest&) {}

void importTexture(SkinReplaceFaultsTest& test, Dialogs& dialogs) {
    ImportTexture({test.source, "B001MAFit_x", "B001MAFitmed_Red.bmp", {}}, test.folders(), test.skins(), dialogs);
}

void exportSources(SkinReplaceFaultsTest& test) {
    test.game.writeText("GameData\\Skins\\B001MAFit_01.cmx",
                        JoinCrLf({"version 300", "0", "1", "B001MAFit_01", "0", "0", "0"}));
    test.game.writeText("GameData\\Skins\\B001MAFitmed_casual.bmp", "texture bytes");
}

void exportSkin(SkinReplaceFaultsTest& test, Dialogs& dialogs) {
    ExportSkin({"B001MAFit_01", "B001MAFitmed_casual", "B001FAFat_Red.cmx", "B001FAFatlgt_Red.bmp"}, test.folders(),
               test.builtCatalogue(), test.skins(), dialogs);
}

constexpr const char* kMesh = "xskin-b001mafit_red-PELVIS-BODY";

void builderMesh(SkinReplaceFaultsTest& test) {
    test.game.writeText(std::string("GameData\\Skins\\") + kMesh + ".skn",
                        JoinCrLf(MeshFileLines(SampleBodyMesh(kMesh, "x"))));
}

void buildCmx(SkinReplaceFaultsTest& test, Dialogs& dialogs) {
    const CMXBuilderList meshes = {ReadSknRecord(test.skins() / (std::string(kMesh) + ".skn"))};
    const fs::path folder = test.skins();
    SaveBuiltCharacterFile(
        CmxBuilderLines("B001MAFit_Red", meshes), meshes, ApplicationFolder(), folder,
        [folder](const fs::path&) { return std::optional<fs::path>(folder); }, test.folders(), test.builtCatalogue(),
        dialogs);
}

// Each step of a replacement that succeeds unhindered, with the new file's bytes.
struct Unhindered {
    std::vector<test::CallStep> steps;
    std::string newBytes;
};

Unhindered runUnhindered(SkinReplaceFaultsTest& test) {
    Unhindered run;
    run.steps = test::RecordCalls([&] { test.replace(); });
    run.newBytes = ReadTextFile(test.target());
    test.reset();
    return run;
}

TEST_P(SkinReplaceFaultsTest, AFailureAtAnyStepLeavesTheOldFileInPlaceAndNothingBehind) {
    const Unhindered unhindered = runUnhindered(*this);
    ASSERT_NE(unhindered.newBytes, kOldBytes);
    ASSERT_GE(unhindered.steps.size(), 5u);
    for (std::size_t k = 0; k < unhindered.steps.size(); ++k) {
        const std::string step = unhindered.steps[k].text();
        {
            const test::FailingCall fault(k, EIO);
            replace();
        }
        const std::string after = state(unhindered.newBytes);
        EXPECT_TRUE(after == "old" || after == "new") << "failed at " << step << ": " << after;
        if (after == "old") {
            EXPECT_FALSE(trashContents().contains(kOldBytes)) << "failed at " << step << ": a copy left in the Trash";
            EXPECT_TRUE(hiddenLeftovers().empty()) << "failed at " << step << ": " << hiddenLeftovers().front();
        }
        reset();
    }
}

TEST_P(SkinReplaceFaultsTest, KilledAtAnyStepTheGameHasTheOldFileOrTheNewOne) {
    const Unhindered unhindered = runUnhindered(*this);
    for (std::size_t k = 0; k < unhindered.steps.size(); ++k) {
        const int status = test::RunKilledAtCall(k, [&] {
            replace();
            return 0;
        });
        ASSERT_EQ(status, test::kKilledAtCall) << unhindered.steps[k].text();
        const std::string after = state(unhindered.newBytes);
        EXPECT_TRUE(after == "old" || after == "new") << "killed at " << unhindered.steps[k].text() << ": " << after;
        reset();
    }
}

TEST_P(SkinReplaceFaultsTest, OnAFileSystemWithoutLinksTheOldFileIsCopiedToTheTrash) {
    const sys::CallHook previous = sys::SetCallHook(
        [](sys::Call call, const std::string&) { return call == sys::Call::Link ? EPERM : 0; });
    replace();
    sys::SetCallHook(previous);
    EXPECT_NE(ReadTextFile(target()), kOldBytes);
    EXPECT_TRUE(trashContents().contains(kOldBytes));
    EXPECT_TRUE(hiddenLeftovers().empty());
}

// What can stand in a skin file's place besides a file, each refused before
// anything is asked, moved or written.
struct NonFilePlace {
    const char* fault;
    void (*make)(const fs::path& place);
};

const NonFilePlace kNonFilePlaces[] = {
    {"folder_with_files", [](const fs::path& place) {
         fs::create_directories(place);
         std::ofstream(place / "inside.txt") << "kept";
     }},
    {"link_to_a_folder", [](const fs::path& place) {
         fs::create_directories(place.parent_path() / "elsewhere");
         std::ofstream(place.parent_path() / "elsewhere" / "inside.txt") << "kept";
         fs::create_directory_symlink("elsewhere", place);
     }},
    {"named_pipe", [](const fs::path& place) { ASSERT_EQ(::mkfifo(place.c_str(), 0600), 0); }},
};

TEST_P(SkinReplaceFaultsTest, AFolderOrSpecialFileInThePlaceIsRefusedUntouched) {
    for (const NonFilePlace& place : kNonFilePlaces) {
        fs::remove(target());
        place.make(target());
        const fs::file_type before = fs::symlink_status(target()).type();
        test::ScriptedDialogs none;
        EXPECT_THROW(GetParam().replace(*this, none), ShellOperationError) << place.fault;
        EXPECT_TRUE(none.messages().empty()) << place.fault << ": refused before any question";
        EXPECT_EQ(fs::symlink_status(target()).type(), before) << place.fault;
        if (fs::is_directory(target())) {
            EXPECT_TRUE(fs::exists(target() / "inside.txt")) << place.fault;
        }
        EXPECT_TRUE(trashContents().empty()) << place.fault;
        fs::remove_all(target());
        fs::remove_all(skins() / "elsewhere");
    }
}

INSTANTIATE_TEST_SUITE_P(
    ReplacingTools, SkinReplaceFaultsTest,
    ::testing::Values(ReplacingTool{"ImportTexture", "B001MAFitmed_Red.bmp", nothingToPrepare, importTexture},
                      ReplacingTool{"ExportSkin", "B001FAFat_Red.cmx", exportSources, exportSkin},
                      ReplacingTool{"BuildCmx", "B001MAFit_Red.cmx", builderMesh, buildCmx}),
    [](const ::testing::TestParamInfo<ReplacingTool>& tool) { return std::string(tool.param.name); });

}  // namespace
}  // namespace corvane
