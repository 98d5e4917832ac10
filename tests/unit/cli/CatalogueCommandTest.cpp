#include "cli/CliGame.h"
#include "cli/SkinCommands.h"

#include "app/Settings.h"
#include "demo/GameBuilder.h"
#include "skins/SkinCatalogue.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace corvane::cli {
namespace {

class CatalogueCommandTest : public ::testing::Test {
protected:
    void TearDown() override {
        DiscardSkinCatalogue(GameSkinCatalogue());
        AppSettings() = Settings();
    }
    CliArguments argumentsFor(const std::string& command) {
        CliArguments args;
        args.gameFolder = game.root().string();
        args.command = command;
        return args;
    }

    test::TempDir folder;
    test::EnvOverride home{"HOME", folder.path().string()};
    test::EnvOverride prefix{"WINEPREFIX", std::nullopt};
    GameBuilder game{folder.path() / "game"};
};

TEST_F(CatalogueCommandTest, PrintsTheSizeOfEachList) {
    game.installation(2);
    game.writeText("GameData/Skins/xskin-a-PELVIS-BODY.skn", "mesh");
    game.writeArchive("GameData/Textures/Textures.far", {{"huaolgt.bmp", std::vector<std::uint8_t>(1100, 1)},
                                                          {"b001mafit_01.cmx.bcf", {1}},
                                                          {"xskin-b-PELVIS-BODY.bmf", {2}}});
    auto args = argumentsFor("catalogue");
    SetUpGame(args, CORVANE_LANG_DIR);
    EXPECT_EQ(AppSettings().ExpansionLevel, 2);
    std::ostringstream out;
    EXPECT_EQ(RunCatalogue(args, out), 0);
    EXPECT_EQ(out.str(), "ArchiveMeshEntries\t1\nSknFileList\t1\nArchiveCharacterEntries\t1\nArchiveTextureEntries\t1\n");
}

TEST_F(CatalogueCommandTest, NoGameIsReported) {
    auto args = argumentsFor("catalogue");
    EXPECT_THROW(SetUpGame(args, CORVANE_LANG_DIR), GameDataError);
}

}  // namespace
}  // namespace corvane::cli
