#include "iff/CharacterImageFile.h"
#include "platform/AtomicFile.h"
#include "profiles/ProfileFormat.h"
#include "unit/profiles/ProfileFixture.h"

namespace corvane {
namespace {

std::vector<std::string> namesOf(const std::vector<ProfileFileEntry>& files) {
    std::vector<std::string> names;
    for (const ProfileFileEntry& file : files) names.push_back(file.name);
    return names;
}

class ProfileExportTest : public ProfileTest {
protected:
    Profile readBack(const std::string& text) { return ReadProfileText(Bytes(text), "test.cvp"); }
};

TEST_F(ProfileExportTest, ACharacterWithoutInstalledSkinsHasItsElementsInTableOrderAndNoFiles) {
    game.installation(7);
    const Sim sim = victor();
    ProfileExportOptions options;
    options.expansionLevel = 7;
    options.dateTime = "2026-12-11T09:30:00";
    const std::vector<ProfileFileEntry> files = CollectProfileFiles(sim, SkinFolders(game.root(), 7));
    EXPECT_TRUE(files.empty());
    const std::string text = BuildProfileText(sim, files, std::nullopt, options);

    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>", 0), 0u) << "no encoding named";
    EXPECT_NE(text.find("<Corvane_Profile xmlns:dt=\"urn:schemas-microsoft-com:datatypes\">"), std::string::npos);
    EXPECT_NE(text.find("<SimRecord DateTime=\"2026-12-11T09:30:00\" ExpansionLevel=\"7\" Rating=\"T\" Warning=\"False\">"),
              std::string::npos);
    EXPECT_NE(text.find("<Neat dt:dt=\"Int\">800</Neat>"), std::string::npos);
    EXPECT_NE(text.find("<FirstName dt:dt=\"string\">\xC3\x89tienne</FirstName>"), std::string::npos)
        << "names go from the game's code page to UTF-8";
    EXPECT_EQ(text.find("BinData"), std::string::npos);
    EXPECT_EQ(text.find("BmpData"), std::string::npos);

    const Profile profile = readBack(text);
    std::vector<std::string> expected;
    for (const auto& element : ProfileValueElements()) expected.emplace_back(element.name);
    for (const auto& element : ProfileSkinElements()) expected.emplace_back(element.name);
    std::vector<std::string> read;
    for (const ProfileValue& value : profile.values) read.push_back(value.element);
    EXPECT_EQ(read, expected) << "45 value elements, then 32 skin elements";
    EXPECT_FALSE(profile.warning);
    EXPECT_EQ(profile.rating, "T");
    EXPECT_EQ(*profile.value("Job"), "12");
    EXPECT_EQ(*profile.value("Bio"), "Line one\r\nline two") << "line breaks kept as written";
}

TEST_F(ProfileExportTest, TheFileListFollowsTheSlotsAndTheirMeshesWithoutRepeats) {
    game.installation(7);
    writeVictorsSkins(game);
    const std::vector<ProfileFileEntry> files = CollectProfileFiles(victor(), SkinFolders(game.root(), 7));
    EXPECT_EQ(namesOf(files), (std::vector<std::string>{
                                  "b001mafit_01.cmx", "xskin-b001mafit_01-PELVIS-BODY.skn", "b001mafitlgt_01.bmp",
                                  "c001ma_bob.cmx", "xskin-c001ma_bob-PELVIS-BODY.skn", "c001malgt_bob.bmp",
                                  "w001mafit_01.cmx", "xskin-w001mafit_01-PELVIS-BODY.skn", "w001mafitlgt_01.bmp"}))
        << "the body texture (named in two cases by two slots and the mesh) once; the head mesh's x never; "
           "the pajamas' missing mesh not at all";
    EXPECT_EQ(files[2].path, skins / "b001mafitlgt_01.bmp");

    std::vector<std::pair<std::string, std::size_t>> offered;
    for (const ProfilePreviewItem& item : ProfileExportPreviewItems(files)) offered.emplace_back(item.fileName, item.position);
    EXPECT_EQ(offered, (std::vector<std::pair<std::string, std::size_t>>{
                           {"b001mafitlgt_01.bmp", 2}, {"c001malgt_bob.bmp", 5}, {"w001mafitlgt_01.bmp", 8},
                           {"b001mafit_01.cmx", 0}, {"c001ma_bob.cmx", 3}, {"w001mafit_01.cmx", 6},
                           {"xskin-b001mafit_01-PELVIS-BODY.skn", 1}, {"xskin-c001ma_bob-PELVIS-BODY.skn", 4},
                           {"xskin-w001mafit_01-PELVIS-BODY.skn", 7}}))
        << "textures, character files, meshes; tags are positions in the list";
}

TEST_F(ProfileExportTest, LeavingOutByPositionOrByNameSetsTheWarning) {
    game.installation(7);
    writeVictorsSkins(game);
    const std::vector<ProfileFileEntry> all = CollectProfileFiles(victor(), SkinFolders(game.root(), 7));
    struct Case {
        std::vector<std::size_t> positions;
        std::vector<std::string> names;
        std::size_t left;
    };
    const Case cases[] = {
        {{}, {}, 9},
        {{5}, {}, 8},
        {{}, {"C001MA_BOB.cmx"}, 8},
        {{2, 8}, {"xskin-w001mafit_01-pelvis-body.skn"}, 6},
        {{99}, {"not-worn.cmx"}, 9},
    };
    for (const Case& c : cases) {
        std::vector<ProfileFileEntry> files = all;
        EXPECT_EQ(LeaveOutProfileFiles(files, c.positions, c.names), c.left != all.size());
        EXPECT_EQ(files.size(), c.left);
    }
    std::vector<ProfileFileEntry> files = all;
    LeaveOutProfileFiles(files, {5}, {});
    EXPECT_EQ(std::count_if(files.begin(), files.end(), [](const auto& f) { return f.name == "c001malgt_bob.bmp"; }), 0);

    ProfileExportOptions options;
    options.warning = true;
    const Profile profile = readBack(BuildProfileText(victor(), files, std::nullopt, options));
    EXPECT_TRUE(profile.warning);
    ASSERT_EQ(profile.files.size(), 8u);
    EXPECT_EQ(profile.files[0].fileName, "b001mafit_01.cmx");
    EXPECT_EQ(profile.files[0].bytes, ReadFileBytes(skins / "b001mafit_01.cmx"));
    EXPECT_EQ(profile.files[0].position, 77u) << "after the 77 value and skin elements";
}

TEST_F(ProfileExportTest, ImagesAreTheCharacterFilesPicturesScannedFromTheEndWithoutTheWebImage) {
    const std::vector<std::uint8_t> thumbnail = imageChunk("thumbnail", 40, 0x11);
    const std::vector<std::uint8_t> portrait = imageChunk("portrait", 30, 0x22);
    const std::vector<std::uint8_t> web = imageChunk("web_image", 20, 0x33);
    const auto fileOf = [](const std::vector<std::vector<std::uint8_t>>& chunks) {
        std::vector<std::uint8_t> file(64, 0);
        for (const auto& chunk : chunks) file.insert(file.end(), chunk.begin(), chunk.end());
        file.resize(file.size() + 16, 0);
        return file;
    };
    std::vector<std::uint8_t> both = portrait;
    both.insert(both.end(), thumbnail.begin(), thumbnail.end());

    EXPECT_FALSE(ProfileImagesOfCharacterFile(fileOf({})).has_value()) << "no BMP_ chunk: no BmpData";
    EXPECT_EQ(ProfileImagesOfCharacterFile(fileOf({web})), std::vector<std::uint8_t>{}) << "only the web image: empty";
    EXPECT_EQ(ProfileImagesOfCharacterFile(fileOf({thumbnail, web, portrait})), both) << "the last chunk first";

    // A chunk whose length runs past the end is not taken; "BMP_" in the last bytes still counts as found.
    std::vector<std::uint8_t> cut = fileOf({thumbnail});
    cut.resize(64 + 20);
    EXPECT_EQ(ProfileImagesOfCharacterFile(cut), std::vector<std::uint8_t>{});
    const std::vector<std::uint8_t> tail{0, 0, 'B', 'M', 'P', '_'};
    EXPECT_EQ(ProfileImagesOfCharacterFile(tail), std::vector<std::uint8_t>{});
    EXPECT_FALSE(ProfileImagesOfCharacterFile(std::vector<std::uint8_t>{'B', 'M', 'P', '_'}).has_value())
        << "position 0 is the file's own header, never a chunk";
}

TEST_F(ProfileExportTest, TheExportWritesRatingCreditsAndImagesAndLeavesStagedPicturesAlone) {
    game.installation(7);
    writeVictorsSkins(game);
    const Sim sim = victor();
    CharacterFileSpec spec;
    spec.images = imageChunk("thumbnail", 50, 0x44);
    const std::filesystem::path characterFile = game.writeFile("UserData\\Characters\\User00001.iff", MakeCharacterFile(spec));
    const std::filesystem::path staged = CharacterImageFile(temp.path(), sim.FileName);
    ReplaceFileAtomically(staged, "staged by a makeover");

    struct Case {
        char rating;
        std::string credits;
        const char* written;
    };
    const Case cases[] = {{'T', "", "T"}, {'A', "Made by Ana.  Thanks to Bo!", "A"}, {'E', "Crédits <&>", "E"},
                          {'?', "", "T"}};
    for (const Case& c : cases) {
        ProfileExportOptions options;
        options.rating = c.rating;
        options.credits = c.credits;
        const std::filesystem::path target = temp.path() / "out.cvp";
        ExportProfile(sim, characterFile, CollectProfileFiles(sim, SkinFolders(game.root(), 7)), options, target);
        const Profile profile = ReadProfile(target);
        EXPECT_EQ(profile.rating, c.written);
        EXPECT_EQ(profile.credits, c.credits) << "kept as given";
        EXPECT_EQ(profile.files.size(), 9u);
        ASSERT_TRUE(profile.images.has_value());
        EXPECT_EQ(*profile.images, ProfileImagesOfCharacterFile(ReadFileBytes(characterFile)).value());
        EXPECT_EQ(profile.images->size(), spec.images.size());
    }
    EXPECT_EQ(ReadFileBytes(staged), Bytes("staged by a makeover"));
}

TEST_F(ProfileExportTest, AnUnwritableTargetLeavesNothingBehind) {
    game.installation(7);
    const std::filesystem::path characterFile = game.writeFile("UserData\\Characters\\User00001.iff", MakeCharacterFile({}));
    EXPECT_THROW(ExportProfile(victor(), characterFile, {}, {}, temp.path() / "no-folder" / "out.cvp"), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "no-folder"));
}

}  // namespace
}  // namespace corvane
