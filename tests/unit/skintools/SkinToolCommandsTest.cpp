#include "cli/CliNeighbourhood.h"
#include "cli/CliSkins.h"
#include "demo/GameBuilder.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "platform/LanguageModule.h"
#include "skins/FarArchive.h"
#include "skins/SkinListing.h"
#include "unit/cli/DemoGameTest.h"

#include <fstream>
#include <map>

namespace corvane::cli {
namespace {

// An 8-bit bitmap; 64 x 64 is as a texture should be.
std::filesystem::path writeTexture(const std::filesystem::path& file, int width = 64, int height = 64) {
    std::vector<Rgb> palette(256, Rgb{10, 20, 30});
    const std::vector<std::uint8_t> bytes = EncodeBmp8(
        Bitmap::fromIndices(width, height, palette, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 7)));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return file;
}

class SkinToolCommandsTest : public DemoGameTest {
protected:
    std::vector<std::string> importLine(std::vector<std::string> extra = {}) const {
        std::vector<std::string> words = {"--game", "GAME", "--quiet", "import-texture", bitmap.string(),
                                          "--type", "body", "--gender", "male", "--age", "adult", "--size", "fit",
                                          "--tone", "light", "--name", "Red"};
        words.insert(words.end(), extra.begin(), extra.end());
        return words;
    }
    std::filesystem::path imported() const { return game / "GameData" / "Skins" / "B001MAFitlgt_Red.bmp"; }

    std::filesystem::path bitmap = writeTexture(folder.path() / "mine" / "red.bmp");
};

TEST_F(SkinToolCommandsTest, AnImportedTextureIsListedByTheBodyPage) {
    const Result result = runLine(importLine({"--mesh", "B001MAFit_01.cmx"}));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "wrote " + imported().string() + "\n");
    EXPECT_EQ(ReadFileBytes(imported()), ReadFileBytes(bitmap));
    EXPECT_TRUE(std::filesystem::exists(bitmap)) << "the user's bitmap stays";

    // Victor's body page, as the skins command and the editor fill it.
    args({});
    const CharacterList characters = OpenCharacterList("01");
    const Sim& victor = FindCharacter(characters, "User00001", "01");
    const SkinFolders folders = GameSkinFolders();
    const SkinSources sources{folders, BuiltSkinCatalogue()};
    const SkinList list = PageTextureList(sources, SkinSlot::Body, SkinCodesOf(victor, AppSettings().ExpansionLevel),
                                          "B001MAFit_01", victor.BodyTexture, {0, "lgt"});
    EXPECT_NE(std::find(list.entries.begin(), list.entries.end(), "B001MAFitlgt_Red"), list.entries.end());
}

TEST_F(SkinToolCommandsTest, ImportSaysWhatItWouldDoAndReplacesOnlyWhenTold) {
    const Result dry = runLine(importLine({"--mesh", "B001MAFit_01", "--dry-run"}));
    ASSERT_EQ(dry.status, 0) << dry.err;
    EXPECT_EQ(dry.out, "would write " + imported().string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(imported()));

    ASSERT_EQ(runLine(importLine({"--mesh", "B001MAFit_01"})).status, 0);
    writeTexture(bitmap.parent_path() / "other.bmp");
    std::vector<std::string> again = importLine({"--mesh", "B001MAFit_01"});
    const Result refused = runLine(again);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
    again.push_back("--replace");
    const Result replaced = runLine(again);
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_NE(replaced.out.find("the file it replaced is in the Trash"), std::string::npos) << replaced.out;
}

TEST_F(SkinToolCommandsTest, WrongChoicesAreRefusedBeforeAnythingIsWritten) {
    const struct {
        std::vector<std::string> extra;
        int status;
        std::string says;
    } cases[] = {
        // The demo has the loose B001MAFit_01 and the archived b002mafit_01.
        {{}, 1, "--mesh"},
        {{"--mesh", "B009MAFit_01"}, 2, "not among"},
        {{"--hand", "left"}, 1, "--hand does not apply"},
        {{"--gender", "unisex"}, 1, "unisex"},
        {{"--series", "002"}, 1, "--series does not apply"},
        {{"--name", "Red Skin"}, 1, "--name"},
    };
    for (const auto& c : cases) {
        const Result result = runLine(importLine(c.extra));
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
    }
    const std::filesystem::path wide = writeTexture(folder.path() / "wide.bmp", 256, 200);
    std::vector<std::string> words = importLine({"--mesh", "B001MAFit_01"});
    words[4] = wide.string();
    const Result refused = runLine(words);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("256 X 200"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(imported()));
}

TEST_F(SkinToolCommandsTest, ExportAndBuildNameTheirFilesFromTheChoices) {
    const Result exported = runLine({"--game", "GAME", "--quiet", "export-skin", "B001MAFit_01", "B001MAFitlgt_casual",
                                     "--type", "body", "--gender", "female", "--size", "fat", "--tone", "light",
                                     "--name", "Red", "--dry-run"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::filesystem::path skins = game / "GameData" / "Skins";
    EXPECT_NE(exported.out.find("would write " + (skins / "B001FAFat_Red.cmx").string()), std::string::npos)
        << exported.out;
    EXPECT_NE(exported.out.find("would write " + (skins / "B001FAFatlgt_Red.bmp").string()), std::string::npos)
        << exported.out;
    EXPECT_FALSE(std::filesystem::exists(skins / "B001FAFat_Red.cmx"));

    const std::filesystem::path mesh = folder.path() / "meshes" / "prop.skn";
    std::filesystem::create_directories(mesh.parent_path());
    std::ofstream(mesh) << "prop\r\nPELVIS\r\n";
    const std::filesystem::path out = folder.path() / "built";
    std::filesystem::create_directories(out);
    const Result built = runLine({"--game", "GAME", "--quiet", "build-cmx", out.string(), "--type", "hands",
                                  "--gender", "female", "--hand", "right", "--hand-type", "pointing", "--name", "Red",
                                  mesh.string()});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_EQ(built.out, "wrote " + (out / "HFRP_Red.cmx").string() + "\n");
    const Result misnamed = runLine({"--game", "GAME", "build-cmx", (out / "other.cmx").string(), "--type", "body",
                                     mesh.string()});
    EXPECT_EQ(misnamed.status, 1);
    EXPECT_NE(misnamed.err.find("B000MAFit.cmx"), std::string::npos) << misnamed.err;
}

// The export page's rule, kept on the command line: a dog's skin cannot become
// a cat's or a person's, nor a person's a pet's.
TEST_F(SkinToolCommandsTest, ExportKeepsAPetsSkinThatPetsKindAndAPersonsAPersons) {
    const std::string dog = "b001dog_01";
    const std::string person = "B001MAFit_01";
    const struct {
        const char* fault;
        std::vector<std::string> words;
        int status;
        std::string says;
    } cases[] = {
        {"dog_as_cat", {dog, "b001dog_brown", "--type", "cat"}, 2,
         "export-skin --type cat: b001dog_01.cmx is a dog's skin, and it stays a dog's (dog)"},
        {"dog_as_person", {dog, "b001dog_brown", "--type", "body"}, 2, "is a dog's skin, and it stays a dog's"},
        {"person_as_dog", {person, "B001MAFitlgt_casual", "--type", "dog"}, 2,
         "B001MAFit_01.cmx is a person's skin, and it stays a person's (body, formal, winter, swim, pajamas"},
        {"dog_without_type", {dog, "b001dog_brown"}, 0, "would write GAME/GameData/Skins/B001dog_Rex.cmx"},
        {"dog_as_dog", {dog, "b001dog_brown", "--type", "dog"}, 0, "would write GAME/GameData/Skins/B001dog_Rex.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        std::vector<std::string> words{"--game", "GAME", "--quiet", "export-skin"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        words.insert(words.end(), {"--name", "Rex", "--dry-run"});
        const Result result = runLine(words);
        EXPECT_EQ(result.status, c.status) << result.err;
        std::string says = c.says;
        if (says.find("GAME") != std::string::npos) says.replace(says.find("GAME"), 4, game.string());
        EXPECT_NE((result.status == 0 ? result.out : result.err).find(says), std::string::npos)
            << result.out << result.err;
    }
}

// A damaged archive entry is named with its archive, its offset and what is wrong.
TEST_F(SkinToolCommandsTest, ADamagedArchiveEntryIsNamedWithItsArchiveAndOffset) {
    const std::filesystem::path archive = GameBuilder(game).writeArchive(
        "Deluxe/Deluxe.far", {{"filler.dat", std::vector<std::uint8_t>(1024, 0)},
                              {"b009mafit_01.cmx.bcf", {1, 2, 3}},
                              {"xskin-b009-PELVIS-BODY.bmf", {4, 5}}});
    std::map<std::string, std::int32_t> offsets;
    for (const FarDirectoryEntry& entry : ReadFarDirectory(archive)) offsets[entry.entryName] = entry.offset;
    const struct {
        std::vector<std::string> words;
        std::string entry;
    } cases[] = {
        {{"cmx", "b009mafit_01"}, "b009mafit_01.cmx.bcf"},
        {{"skn", "xskin-b009-PELVIS-BODY"}, "xskin-b009-PELVIS-BODY.bmf"},
        {{"export-skin", "b009mafit_01", "B001MAFitlgt_casual", "--type", "body", "--name", "Red"},
         "b009mafit_01.cmx.bcf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0]);
        std::vector<std::string> words{"--game", "GAME"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        const Result result = runLine(words);
        EXPECT_EQ(result.status, 2);
        EXPECT_NE(result.err.find("the entry " + c.entry + " at offset " + std::to_string(offsets.at(c.entry)) +
                                  " of the archive " + archive.string() + " is damaged: "),
                  std::string::npos)
            << result.err;
    }
}

}  // namespace
}  // namespace corvane::cli
