#include "TestPaths.h"
#include "cli/CommandLine.h"
#include "cli/SkinCommands.h"

#include "demo/SkinFileWriters.h"
#include "unit/cli/DemoGameTest.h"

#include <fstream>

namespace corvane::cli {
namespace {

class SkinsCommandTest : public DemoGameTest {
protected:
    std::string skins(std::vector<std::string> arguments, bool json, std::optional<std::string> mesh) const {
        CliArguments a = args(std::move(arguments), json);
        a.mesh = std::move(mesh);
        std::ostringstream out;
        EXPECT_EQ(RunSkins(a, out), 0);
        return out.str();
    }
};

TEST_F(SkinsCommandTest, PrintsThePagesListWithItsSelectedEntry) {
    const struct {
        std::vector<std::string> arguments;
        std::optional<std::string> mesh;
        bool json;
        std::string out;
    } cases[] = {
        // Victor wears the loose body; the archive's spare one is listed after it.
        {{"01", "User00001", "body"}, {}, false, "B001MAFit_01\t*\nb002mafit_01\n"},
        {{"01", "User00001", "BODY"}, {}, true,
         "{\n  \"slot\": \"body\",\n  \"mesh\": null,\n  \"entries\": [\n    \"B001MAFit_01\",\n"
         "    \"b002mafit_01\"\n  ],\n  \"selected\": 0\n}\n"},
        // Iris wears the second of the two dresses' textures.
        {{"01", "User00005", "body"}, "b001fafat_01.cmx", false, "b001fafatlgt_casual\nb001fafatlgt_summer\t*\n"},
        {{"01", "User00001", "body"}, "b002mafit_01", true,
         "{\n  \"slot\": \"body\",\n  \"mesh\": \"b002mafit_01\",\n  \"entries\": [\n    \"b002mafitlgt_sporty\"\n"
         "  ],\n  \"selected\": 0\n}\n"},
        {{"01", "User00001", "open-left"}, {}, false, "hmlo\t*\n"},
        {{"01", "User00001", "open-left"}, "hmlo", false, "huaolgt\t*\n"},
        // The dog's body page lists dogs' bodies.
        {{"01", "User00006", "body"}, {}, false, "b001dog_01\t*\n"},
        {{"01", "User00003", "formal"}, "f001fcchd_01", true,
         "{\n  \"slot\": \"formal\",\n  \"mesh\": \"f001fcchd_01\",\n  \"entries\": [],\n  \"selected\": -1\n}\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skins(c.arguments, c.json, c.mesh), c.out) << c.arguments[1] << " " << c.arguments[2];
    }
}

TEST_F(SkinsCommandTest, ARefusedMeshIsSaidOnStderrAndLeftOut) {
    std::ofstream(game / "GameData" / "Skins" / "b003mafit_renamed.cmx")
        << JoinCrLf(CharacterFileLines(SampleSuit("b003mafit_other", "PELVIS", "xskin-b001mafit_01-PELVIS-BODY")));
    std::ostringstream out, err;
    EXPECT_EQ(RunCommandLine({"--game", game.string(), "skins", "01", "User00001", "body"}, out, err, CORVANE_LANG_DIR),
              0);
    EXPECT_EQ(out.str(), "B001MAFit_01\t*\nb002mafit_01\n");
    EXPECT_NE(err.str().find("b003mafit_renamed.cmx"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace corvane::cli
