#include "TestPaths.h"
#include "cli/CliGame.h"
#include "cli/SkinCommands.h"

#include "app/Settings.h"
#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
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

TEST_F(CatalogueCommandTest, SkinTextComesFromTheLooseFileElseTheArchive) {
    game.installation(1);
    Suit loose = SampleSuit("b001mafit_01", "PELVIS", "xskin-loose");
    game.writeText("GameData/Skins/B001MAFit_01.cmx", JoinCrLf(CharacterFileLines(loose)));
    Skeleton skeleton{"dog", {}};
    game.writeArchive("ExpansionPack/ExpansionPack.far",
                      {{"b001mafit_01.cmx.bcf", BinaryCharacterFile(SampleSuit("b001mafit_01", "PELVIS", "xskin-far"))},
                       {"b002mafit_01.cmx.bcf", BinaryCharacterFile(SampleSuit("b002mafit_01", "PELVIS", "xskin-far"))},
                       {"dog_skeleton.cmx.bcf", BinarySkeleton(skeleton)},
                       {"xskin-far-PELVIS-BODY.bmf", BinaryMesh(SampleBodyMesh("xskin-far-PELVIS-BODY", "x"))},
                       {"filler.dat", std::vector<std::uint8_t>(1024, 0)}});
    auto output = [&](const std::string& command, const std::string& name) {
        auto args = argumentsFor(command);
        args.arguments = {name};
        SetUpGame(args, CORVANE_LANG_DIR);
        std::ostringstream out;
        auto run = command == "cmx" ? RunCmx : command == "skn" ? RunSkn : RunSkeleton;
        EXPECT_EQ(run(args, out), 0);
        return out.str();
    };
    std::string looseText;
    for (const std::string& line : CharacterFileLines(loose)) {
        looseText += line + "\n";
    }
    EXPECT_EQ(output("cmx", "b001mafit_01.cmx"), looseText) << "the loose file wins over the archive";
    EXPECT_NE(output("cmx", "b002mafit_01").find("xskin-far\n"), std::string::npos);
    EXPECT_NE(output("skeleton", "dog_skeleton").find("version 300\n1\ndog\n0\n"), std::string::npos);
    EXPECT_EQ(output("skn", "xskin-far-PELVIS-BODY").substr(0, 26), "xskin-far-PELVIS-BODY\nx\n1\n");

    auto missing = argumentsFor("skn");
    missing.arguments = {"xskin-nowhere"};
    std::ostringstream out;
    EXPECT_THROW(RunSkn(missing, out), GameDataError);
}

// Every command that needs the archives names the one it could not read,
// where, and what was expected there.
TEST_F(CatalogueCommandTest, AnUnreadableArchiveIsNamedWithItsOffsetAndCause) {
    game.installation(1);
    const std::vector<FarArchiveFile> files{{"xskin-far-PELVIS-BODY.bmf", {2}},
                                            {"filler.dat", std::vector<std::uint8_t>(1024, 0)}};
    const auto archive = game.writeArchive("ExpansionPack/ExpansionPack.far", files);
    std::filesystem::resize_file(archive, std::filesystem::file_size(archive) - 5);
    const std::uint64_t cutName = std::filesystem::file_size(archive) + 5 - 10;  // "filler.dat"
    const struct {
        const char* command;
        int (*run)(const CliArguments&, std::ostream&);
    } commands[] = {{"catalogue", RunCatalogue}, {"cmx", RunCmx}, {"skn", RunSkn}, {"skeleton", RunSkeleton}};
    for (const auto& c : commands) {
        SCOPED_TRACE(c.command);
        DiscardSkinCatalogue(GameSkinCatalogue());
        auto args = argumentsFor(c.command);
        if (std::string(c.command) != "catalogue") args.arguments = {"anything"};
        SetUpGame(args, CORVANE_LANG_DIR);
        std::ostringstream out;
        try {
            c.run(args, out);
            ADD_FAILURE() << "ran";
        } catch (const GameDataError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "an archive of the game could not be read; the catalogue is incomplete: " + archive.string() +
                          " at offset " + std::to_string(cutName) + ": needs 10 bytes, only 5 left");
        }
        EXPECT_EQ(out.str(), "");
    }
}

TEST_F(CatalogueCommandTest, NoGameIsReported) {
    auto args = argumentsFor("catalogue");
    EXPECT_THROW(SetUpGame(args, CORVANE_LANG_DIR), GameDataError);
}

}  // namespace
}  // namespace corvane::cli
