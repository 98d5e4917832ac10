#include "iff/CharacterImageFile.h"
#include "platform/AtomicFile.h"
#include "platform/Base64.h"
#include "platform/BmpCodec.h"
#include "platform/Trash.h"
#include "sim/FieldAssignment.h"
#include "profiles/ProfileFormat.h"
#include "support/ScriptedDialogs.h"
#include "unit/profiles/ProfileFixture.h"

namespace corvane {
namespace {

class ProfileImportTest : public ProfileTest {
protected:
    void SetUp() override {
        game.installation(7);
        writeVictorsSkins(game);
        target.installation(7);
    }

    // Victor's profile with his files and pictures; `edit` changes the text before it is read.
    std::string victorsText() {
        ProfileExportOptions options;
        options.dateTime = "2026-12-11T09:30:00";
        const std::vector<std::uint8_t> images = imageChunk("thumbnail", 12, 0x55);
        return BuildProfileText(victor(), CollectProfileFiles(victor(), SkinFolders(game.root(), 7)), images, options);
    }
    static Profile read(const std::string& text) { return ReadProfileText(Bytes(text), "victor.cvp"); }
    // `elements` inserted before the credits.
    static std::string withElements(std::string text, const std::string& elements) {
        return text.insert(text.find("<CVPCredits"), elements + "\n");
    }

    static std::unique_ptr<Sim> child() {
        auto sim = std::make_unique<Sim>();
        sim->FileName = "User00003";
        sim->NeighborEntryPos = 100;
        sim->PersonDataValues = 256;
        sim->AgeGroup = "child";
        sim->Age = 9;
        sim->SkinAge = 9;
        sim->BodySize = "chd";
        sim->FameScore = 11;
        sim->FameStarPower = 1;
        sim->FameStarHighWatermark = 2;
        sim->WinterMesh = "w001fcchd_01";
        sim->WinterTexture = "w001fcchdlgt_01";
        sim->FashionMesh = "h001fcchd_01";
        sim->FashionTexture = "h001fcchdlgt_01";
        return sim;
    }

    SkinFolders targetFolders() const { return SkinFolders(target.root(), 7); }
    std::filesystem::path targetSkins() const { return target.root() / "GameData" / "Skins"; }

    GameBuilder target{temp.path() / "target"};
};

TEST_F(ProfileImportTest, AProfileThatCannotBeReadWholeIsRefusedNamingTheFileAndTheCause) {
    const std::string text = victorsText();
    const std::string notANumber = Replaced(text, ">800<", ">eight hundred<");
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"just some words", "victor.cvp: not a readable XML file at offset"},
        {text.substr(0, text.size() / 2), "victor.cvp: not a readable XML file"},
        {"<?xml version=\"1.0\"?><Profile><SimRecord/></Profile>", "victor.cvp: not a profile"},
        {"<?xml version=\"1.0\"?><Corvane_Profile/>", "victor.cvp: the element SimRecord is missing"},
        {WithoutElement(text, "Romance"), "victor.cvp: the element Romance is missing"},
        {WithoutElement(text, "PajamaTexture"), "victor.cvp: the element PajamaTexture is missing"},
        {notANumber, "victor.cvp: the element Neat holds \"eight hundred\", not a whole number"},
        {withElements(text, "<BinData dt:dt=\"bin.base64\" FileName=\"a.bmp\">Zm9v!</BinData>"),
         "victor.cvp: BinData (element 88) is not base64 data"},
        {withElements(text, "<BmpData dt:dt=\"bin.base64\">Zg</BmpData>"), "victor.cvp: BmpData (element 88) is not base64"},
    };
    for (const Case& c : cases) {
        try {
            read(c.text);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const ProfileError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
    EXPECT_NO_THROW(read(WithoutElement(WithoutElement(text, "GhostLevel"), "Career"))) << "elements never copied";
}

TEST_F(ProfileImportTest, HostileFileNamesAreRefusedAndNeverWritten) {
    // Fits the file system alone, not with the temporary twin a safe write puts beside it.
    const std::string overlong = std::string(250, 'n') + ".bmp";
    const std::pair<std::string, std::string> hostile[] = {
        {"../x.bmp", "has a folder part"},   {"a/b.bmp", "has a folder part"},     {"C:x.bmp", "names a drive"},
        {"/abs.bmp", "has a folder part"},   {"a\\b.cmx", "has a folder part"},    {"", "is empty"},
        {"con?.bmp", "holds the character ?"}, {"a&#1;b.bmp", "holds a control character"},
        {"..skn.skn", "reaches out of its folder"}, {"a|b.skn", "holds the character |"},
        {".bmp", "has no name before its extension"},
        {overlong, "is longer than the file system allows (254 bytes, with the temporary copy a safe write needs beside it)"},
    };
    std::string elements;
    std::vector<std::string> selected{"good.bmp"};
    for (const auto& [name, reason] : hostile) {
        elements += "<BinData dt:dt=\"bin.base64\" FileName=\"" + name + "\">Zm9v</BinData>\n";
        selected.push_back(name == "a&#1;b.bmp" ? "a\x01" "b.bmp" : name);
    }
    elements += "<BinData dt:dt=\"bin.base64\" FileName=\"good.bmp\">" + EncodeBase64(EncodeBmp24(Bitmap(2, 2))) +
                "</BinData>";
    const Profile profile = read(withElements(WithoutElement(victorsText(), "BinData"), elements));
    ASSERT_EQ(profile.refused.size(), std::size(hostile));
    for (std::size_t i = 0; i < std::size(hostile); ++i) EXPECT_EQ(profile.refused[i].reason, hostile[i].second) << i;

    const std::vector<ProfilePreviewItem> offered = ProfilePreviewItems(profile);
    ASSERT_EQ(offered.size(), 9u) << "Victor's eight files left and good.bmp";
    EXPECT_EQ(offered[0].fileName, "b001mafitlgt_01.bmp") << "positions: Victor's second file after the 77 elements";
    EXPECT_EQ(offered[0].position, 78u);
    EXPECT_EQ(std::count_if(offered.begin(), offered.end(), [](const auto& i) { return i.fileName == "good.bmp"; }), 1);

    const auto before = filesOf(temp.path() / "target");
    test::ScriptedDialogs dialogs;
    const ProfileInstallResult result =
        InstallProfileFiles(profile, selected, targetFolders(), targetSkins(), dialogs);
    EXPECT_EQ(result.refused.size(), std::size(hostile));
    ASSERT_EQ(result.steps.size(), 1u);
    auto after = filesOf(temp.path() / "target");
    EXPECT_EQ(after.erase("GameData/Skins/good.bmp"), 1u);
    EXPECT_EQ(after, before) << "nothing else written anywhere";
}

TEST_F(ProfileImportTest, ProfilesFitCharactersOfTheirKind) {
    struct Case {
        const char* profile;
        const char* character;
        bool fits;
    };
    const Case cases[] = {
        {"adult", "adult", true}, {"adult", "child", true}, {"child", "adult", true}, {"dog", "dog", true},
        {"kat", "kat", true},     {"adult", "dog", false},  {"dog", "adult", false},  {"kat", "dog", false},
        {"dog", "kat", false},    {"", "adult", false},     {"", "dog", false},
    };
    for (const Case& c : cases) {
        Profile profile;
        profile.ageGroup = c.profile;
        Sim sim;
        sim.AgeGroup = c.character;
        EXPECT_EQ(ProfileFitsCharacter(profile, sim), c.fits) << c.profile << " into " << c.character;
    }
    EXPECT_EQ(ProfileKindMismatchText(), LangStr(7151));
    EXPECT_FALSE(ProfileKindMismatchText().empty());
}

TEST_F(ProfileImportTest, AnAdultsValuesGoIntoAChildAsOneStepThatUndoes) {
    const Profile profile = read(Replaced(victorsText(), "<SkinColor dt:dt=\"Int\">1<", "<SkinColor dt:dt=\"Int\">2<"));
    Document document = openWith(child());
    Sim& sim = *document.current();
    const Sim before = sim;
    ApplyProfileValues(document, sim, profile, 1252);

    EXPECT_EQ(sim.Age, 27);
    EXPECT_EQ(sim.SkinAge, 27);
    EXPECT_EQ(sim.AgeGroup, "child") << "the age group stays";
    EXPECT_EQ(sim.FirstName, "\xC9tienne") << "back in the game's code page";
    EXPECT_EQ(sim.Bio, "Line one\r\nline two");
    EXPECT_EQ(sim.Neat, 800);
    EXPECT_EQ(sim.Career, 12) << "from Job";
    EXPECT_EQ(sim.SkinColor, 2);
    EXPECT_EQ(sim.SkinTone, "drk");
    EXPECT_EQ(sim.BodySize, "fit");
    EXPECT_EQ(sim.BodyTexture, "B001MAFITLGT_01");
    EXPECT_EQ(sim.FameScore, 400);
    EXPECT_TRUE(sim.WinterTexture == "w001mafitlgt_01");
    EXPECT_TRUE(sim.FashionMesh.empty()) << "the profile's own empty fashion outfit";
    EXPECT_TRUE(sim.Modified);
    EXPECT_TRUE(sim.ResetThumbnail) << "the profile brings pictures";

    ASSERT_TRUE(document.undo());
    EXPECT_EQ(sim, before);
    EXPECT_FALSE(document.canUndo()) << "one step";
}

// Each value as the editor's own edits would refuse it: the whole profile is
// refused, naming the element and the value, and the record stays as it was.
TEST_F(ProfileImportTest, AValueOutOfTheEditorsLimitsRefusesTheWholeProfile) {
    struct Case {
        const char* fault;
        const char* element;
        const char* was;
        const char* value;
    };
    const Case cases[] = {
        {"neat_above_slider", "Neat", "800", "99999"},
        {"nice_far_below_zero", "Nice", "0", "-70000"},
        {"negative_age", "Age", "27", "-5"},
        {"age_of_neither_child_nor_adult", "Age", "27", "40"},
        {"gender_of_no_kind", "Gender", "0", "9"},
        {"a_dogs_gender_for_a_person", "Gender", "0", "2"},
        {"career_that_does_not_exist", "Job", "12", "11"},
        {"job_level_past_the_last", "JobLevel", "3", "200"},
        {"skin_colour_of_none", "SkinColor", "1", "7"},
        {"ghost_neither_yes_nor_no", "Ghost", "0", "2"},
        {"haunting_without_being_a_ghost", "Lingering", "0", "5"},
        {"fame_above_its_slider", "FameScore", "400", "5000"},
        {"performance_below_zero", "JobPerformance", "0", "-1"},
    };
    for (const Case& c : cases) {
        const std::string from = std::string("<") + c.element + " dt:dt=\"Int\">" + c.was + "<";
        const std::string to = std::string("<") + c.element + " dt:dt=\"Int\">" + c.value + "<";
        const Profile profile = read(Replaced(victorsText(), from, to));
        Document document = openWith(child());
        Sim& sim = *document.current();
        const Sim before = sim;
        try {
            ApplyProfileValues(document, sim, profile, 1252);
            ADD_FAILURE() << c.fault << ": accepted";
        } catch (const ProfileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(std::string("the element ") + c.element + " holds \"" + c.value + "\""),
                      std::string::npos)
                << c.fault << ": " << message;
        }
        EXPECT_EQ(sim, before) << c.fault << ": nothing changes";
        EXPECT_FALSE(document.canUndo()) << c.fault;
        EXPECT_FALSE(document.saveEnabled()) << c.fault;
    }
}

// A value the record has no place for is never reported as changed: it stays
// as it was, said so, and the rest of the profile goes in.
TEST_F(ProfileImportTest, ValuesTheRecordCannotKeepAreLeftAsTheyWereAndNamed) {
    struct Case {
        const char* fault;
        std::int32_t neighbourEntry;
        std::int32_t personDataValues;
        bool neatKept;
        bool fameKept;
    };
    const Case cases[] = {
        {"no_entry_in_neighborhood_iff", 0, 256, false, false},
        {"older_record_without_fame", 100, 80, true, false},
    };
    for (const Case& c : cases) {
        auto character = child();
        character->NeighborEntryPos = c.neighbourEntry;
        character->PersonDataValues = c.personDataValues;
        Document document = openWith(std::move(character));
        Sim& sim = *document.current();
        const std::vector<std::string> notKept = ApplyProfileValues(document, sim, read(victorsText()), 1252);
        EXPECT_EQ(sim.Neat, c.neatKept ? 800 : 0) << c.fault;
        EXPECT_EQ(sim.FameScore, c.fameKept ? 400 : 11) << c.fault;
        EXPECT_EQ(sim.FirstName, "\xC9tienne") << c.fault << ": the name lives in the character file";
        const auto named = [&](const std::string& field) {
            return std::any_of(notKept.begin(), notKept.end(), [&](const std::string& t) { return t.starts_with(field + " "); });
        };
        EXPECT_EQ(named("Neat"), !c.neatKept) << c.fault;
        EXPECT_EQ(named("FameScore"), !c.fameKept) << c.fault;
    }
}

// Embedded skin files are judged before they are offered: a damaged one is
// refused with its cause, as the skin tools refuse their inputs.
TEST_F(ProfileImportTest, DamagedEmbeddedSkinFilesAreRefusedNamingTheCause) {
    std::vector<std::uint8_t> hugeWidth = EncodeBmp24(Bitmap(2, 2));
    ASSERT_EQ(hugeWidth.size(), 70u) << "a 54-byte header and two rows of 8 bytes";
    hugeWidth[18] = 0xFF;  // width 2^31 - 1
    hugeWidth[19] = 0xFF;
    hugeWidth[20] = 0xFF;
    hugeWidth[21] = 0x7F;
    const std::vector<std::uint8_t> oversized = EncodeBmp24(Bitmap(2048, 2));
    const std::vector<std::uint8_t> sound2x2 = EncodeBmp24(Bitmap(2, 2));
    const std::string sound = ReadTextFile(skins / "b001mafit_01.cmx");
    const std::string soundMesh = ReadTextFile(skins / "xskin-b001mafit_01-PELVIS-BODY.skn");
    struct Case {
        const char* fault;
        std::string fileName;
        std::vector<std::uint8_t> bytes;
        const char* cause;
    };
    const Case cases[] = {
        {"bitmap_of_30_bytes", "short.bmp", std::vector<std::uint8_t>(sound2x2.begin(), sound2x2.begin() + 30),
         "is not a readable bitmap"},
        {"bitmap_claiming_width_2_31", "wide.bmp", hugeWidth, "is not a readable bitmap"},
        {"bitmap_larger_than_any_texture", "large.bmp", oversized, "is 2048 x 2 pixels"},
        {"character_file_of_40_bytes", "short.cmx", Bytes("// Character File\r\nversion 300\r\n0\r\n1\r\n"),
         "not a text character file"},
        {"character_file_without_version", "old.cmx", Bytes(sound.substr(0, sound.find('\n') + 1) + "version 200\r\n"),
         "no \"version 300\""},
        {"suit_missing_its_mesh_lines", "cut.cmx", Bytes(sound.substr(0, sound.find("PELVIS"))),
         "are not all there"},
        {"mesh_cut_short", "cut.skn", Bytes(soundMesh.substr(0, soundMesh.size() / 2)), "not all there"},
        {"mesh_count_not_a_number", "word.skn", Bytes("m\r\nx\r\nmany\r\n"), "not all there"},
    };
    for (const Case& c : cases) {
        const std::string element = "<BinData dt:dt=\"bin.base64\" FileName=\"" + c.fileName + "\">" +
                                    EncodeBase64(c.bytes) + "</BinData>";
        const Profile profile = read(withElements(victorsText(), element));
        ASSERT_EQ(profile.refused.size(), 1u) << c.fault;
        EXPECT_EQ(profile.refused[0].fileName, c.fileName) << c.fault;
        EXPECT_NE(profile.refused[0].reason.find(c.cause), std::string::npos) << c.fault << ": " << profile.refused[0].reason;
        EXPECT_EQ(profile.files.size(), read(victorsText()).files.size()) << c.fault << ": Victor's own files stay";
    }
}

// The installed skin a profile replaces goes to the Trash, and the game's
// file holds the profile's bytes.
TEST_F(ProfileImportTest, AReplacedSkinGoesToTheTrashWithItsOldBytes) {
    const Profile profile = read(victorsText());
    target.writeText("GameData\\Skins\\c001ma_bob.cmx", "installed before");
    test::ScriptedDialogs dialogs;
    dialogs.answer(mrYes);
    const ProfileInstallResult result = InstallProfileFiles(profile, {"c001ma_bob.cmx"}, targetFolders(), targetSkins(), dialogs);
    ASSERT_TRUE(result.failure.empty()) << result.failure;
    EXPECT_EQ(ReadFileBytes(targetSkins() / "c001ma_bob.cmx"), ReadFileBytes(skins / "c001ma_bob.cmx"));
    const auto trashed = filesOf(HomeTrashFolder() / "files");
    ASSERT_EQ(trashed.size(), 1u);
    EXPECT_EQ(trashed.begin()->first, "c001ma_bob.cmx");
    EXPECT_EQ(trashed.begin()->second, Bytes("installed before"));
    EXPECT_EQ(filesOf(targetSkins()).size(), 1u) << "no temporary file or second name left beside it";
}

TEST_F(ProfileImportTest, MissingOptionalGroupsLeaveTheirFieldsAsTheyWere) {
    struct Case {
        std::vector<std::string> removed;
        std::array<std::int32_t, 3> fame;
        std::array<const char*, 4> outfits;  // winter mesh and texture, fashion mesh and texture
    };
    const Case cases[] = {
        {{"FameScore", "FameStarPower", "FameStarHighWatermark"}, {11, 1, 2}, {"w001mafit_01", "w001mafitlgt_01", "", ""}},
        {{"FameStarPower", "FameStarHighWatermark"}, {400, 1, 2}, {"w001mafit_01", "w001mafitlgt_01", "", ""}},
        {{"FameScore"}, {11, 1, 2}, {"w001mafit_01", "w001mafitlgt_01", "", ""}},
        {{"WinterMesh", "WinterTexture", "FashionMesh", "FashionTexture"},
         {400, 3, 5},
         {"w001fcchd_01", "w001fcchdlgt_01", "h001fcchd_01", "h001fcchdlgt_01"}},
        {{"WinterTexture", "FashionMesh"}, {400, 3, 5}, {"w001mafit_01", "w001fcchdlgt_01", "h001fcchd_01", "h001fcchdlgt_01"}},
    };
    for (const Case& c : cases) {
        std::string text = victorsText();
        for (const std::string& element : c.removed) text = WithoutElement(text, element);
        Document document = openWith(child());
        Sim& sim = *document.current();
        ApplyProfileValues(document, sim, read(text), 1252);
        EXPECT_EQ((std::array{sim.FameScore, sim.FameStarPower, sim.FameStarHighWatermark}), c.fame) << c.removed[0];
        EXPECT_EQ((std::array{sim.WinterMesh, sim.WinterTexture, sim.FashionMesh, sim.FashionTexture}),
                  (std::array<std::string, 4>{c.outfits[0], c.outfits[1], c.outfits[2], c.outfits[3]}))
            << c.removed[0];
        EXPECT_EQ(sim.Neat, 800);
    }
}

TEST_F(ProfileImportTest, ThePreviewOffersImagesThenCharacterFilesThenMeshesButNeverX) {
    const std::string text = withElements(victorsText(), "<BinData dt:dt=\"bin.base64\" FileName=\"X.BMP\">Zm9v</BinData>\n"
                                                          "<BinData dt:dt=\"bin.base64\" FileName=\"notes.txt\">Zm9v</BinData>");
    const Profile profile = read(text);
    std::vector<std::pair<ProfilePreviewItem::Kind, std::string>> offered;
    for (const ProfilePreviewItem& item : ProfilePreviewItems(profile)) {
        offered.emplace_back(item.kind, item.fileName);
        ASSERT_NE(profile.fileAt(item.position), nullptr);
        EXPECT_EQ(profile.fileAt(item.position)->fileName, item.fileName) << "the tag finds the file's bytes";
    }
    using enum ProfilePreviewItem::Kind;
    EXPECT_EQ(offered, (std::vector<std::pair<ProfilePreviewItem::Kind, std::string>>{
                           {Image, "b001mafitlgt_01.bmp"}, {Image, "c001malgt_bob.bmp"}, {Image, "w001mafitlgt_01.bmp"},
                           {CharacterFile, "b001mafit_01.cmx"}, {CharacterFile, "c001ma_bob.cmx"},
                           {CharacterFile, "w001mafit_01.cmx"}, {Mesh, "xskin-b001mafit_01-PELVIS-BODY.skn"},
                           {Mesh, "xskin-c001ma_bob-PELVIS-BODY.skn"}, {Mesh, "xskin-w001mafit_01-PELVIS-BODY.skn"}}));
    EXPECT_EQ(profile.fileAt(ProfilePreviewItems(profile)[0].position)->bytes, ReadFileBytes(skins / "b001mafitlgt_01.bmp"));

    // Only checked files are installed, never x.bmp, even when asked for.
    test::ScriptedDialogs dialogs;
    const ProfileInstallResult result = InstallProfileFiles(profile, {"B001MAFIT_01.CMX", "x.bmp", "notes.txt"},
                                                            targetFolders(), targetSkins(), dialogs);
    ASSERT_EQ(result.steps.size(), 1u);
    EXPECT_EQ(result.steps[0].action, ProfileInstallStep::Action::Install);
    const auto installed = filesOf(targetSkins());
    ASSERT_EQ(installed.size(), 1u);
    EXPECT_EQ(installed.begin()->first, "b001mafit_01.cmx");
    EXPECT_EQ(installed.begin()->second, ReadFileBytes(skins / "b001mafit_01.cmx"));
}

TEST_F(ProfileImportTest, AllAnswersEveryQuestionToComeWhileNoIsAskedEachTime) {
    const Profile profile = read(victorsText());
    const std::vector<std::string> three{"b001mafit_01.cmx", "c001ma_bob.cmx", "w001mafit_01.cmx"};
    struct Case {
        std::vector<ModalResult> answers;
        std::vector<ProfileInstallStep::Action> done;
    };
    using enum ProfileInstallStep::Action;
    const Case cases[] = {
        {{mrAll}, {Replace, Replace, Replace}},
        {{mrNo, mrNo, mrYes}, {Keep, Keep, Replace}},
        {{mrYes, mrAll}, {Replace, Replace, Replace}},
    };
    for (const Case& c : cases) {
        for (const std::string& name : three) target.writeText("GameData\\Skins\\" + name, "installed before");
        test::ScriptedDialogs dialogs;
        for (const ModalResult answer : c.answers) dialogs.answer(answer);
        const ProfileInstallResult result = InstallProfileFiles(profile, three, targetFolders(), targetSkins(), dialogs);
        EXPECT_TRUE(dialogs.allAnswersUsed());
        ASSERT_EQ(dialogs.messages().size(), c.answers.size());
        const MessageRequest& question = dialogs.messages()[0];
        EXPECT_EQ(question.caption, LangStr(5022));
        EXPECT_EQ(question.kind, MsgKind::None);
        EXPECT_EQ(question.text, LangStr(8044) + "\n" + LangStr(8045) + "\nb001mafit_01.cmx\n" + LangStr(8046) + "\n" +
                                     LangStr(8047));
        ASSERT_EQ(question.buttons.size(), 3u);
        EXPECT_EQ(question.buttons[2].result, mrAll);
        ASSERT_EQ(result.steps.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(result.steps[i].action, c.done[i]) << three[i];
            const auto bytes = ReadFileBytes(targetSkins() / three[i]);
            EXPECT_EQ(bytes, c.done[i] == Keep ? Bytes("installed before") : ReadFileBytes(skins / three[i])) << three[i];
        }
    }
    test::ScriptedDialogs none;
    const ProfileInstallResult all =
        InstallProfileFiles(profile, three, targetFolders(), targetSkins(), none, /*answer=*/mrAll);
    EXPECT_EQ(all.steps.size(), 3u);
    EXPECT_TRUE(none.messages().empty()) << "an All given beforehand asks nothing";
}

TEST_F(ProfileImportTest, AFileThatCannotBeWrittenLeavesEveryFileAsItWas) {
    const Profile profile = read(victorsText());
    target.writeText("GameData\\Skins\\c001ma_bob.cmx", "installed before");
    const auto before = filesOf(target.root());
    test::ScriptedDialogs dialogs;
    const ProfileInstallResult result = InstallProfileFiles(profile, {"c001ma_bob.cmx", "b001mafit_01.cmx"},
                                                            targetFolders(), target.root() / "no-such-folder", dialogs,
                                                            mrAll);
    EXPECT_NE(result.failure.find("b001mafit_01.cmx"), std::string::npos) << result.failure;
    EXPECT_FALSE(std::filesystem::exists(target.root() / "no-such-folder"));
    EXPECT_EQ(filesOf(target.root()), before) << "the replacement is not written without the new file";
}

TEST_F(ProfileImportTest, PicturesAreStagedForTheNextSaveInPlaceOfThoseStagedBefore) {
    const std::filesystem::path staged = CharacterImageFile(temp.path(), "User00003");
    ReplaceFileAtomically(staged, "older pictures");
    const Profile withImages = read(victorsText());
    StageProfileImages(withImages, temp.path(), "User00003");
    EXPECT_EQ(ReadFileBytes(staged), imageChunk("thumbnail", 12, 0x55));
    const Profile without = read(WithoutElement(victorsText(), "BmpData"));
    StageProfileImages(without, temp.path(), "User00003");
    EXPECT_FALSE(std::filesystem::exists(staged));
}

TEST_F(ProfileImportTest, ARoundTripGivesTheSameValuesAndTheSameFiles) {
    const std::filesystem::path file = temp.path() / "victor.cvp";
    const Sim source = victor();
    const std::filesystem::path characterFile = game.writeFile("UserData\\Characters\\User00001.iff", MakeCharacterFile({}));
    ExportProfile(source, characterFile, CollectProfileFiles(source, SkinFolders(game.root(), 7)), {}, file);
    const Profile profile = ReadProfile(file);

    auto other = std::make_unique<Sim>();
    other->FileName = "User00002";
    other->NeighborEntryPos = 100;
    other->PersonDataValues = 256;
    Document document = openWith(std::move(other));
    Sim& sim = *document.current();
    ApplyProfileValues(document, sim, profile, 1252);
    test::ScriptedDialogs dialogs;
    std::vector<std::string> offered;
    for (const ProfilePreviewItem& item : ProfilePreviewItems(profile)) offered.push_back(item.fileName);
    const ProfileInstallResult result = InstallProfileFiles(profile, offered, targetFolders(), targetSkins(), dialogs);
    EXPECT_TRUE(result.failure.empty());

    for (const auto& element : ProfileValueElements()) {
        if (element.name == "AgeGroup" || element.name == "Career" || element.name == "HauntAddress") continue;
        std::visit([&](auto field) { EXPECT_EQ(sim.*field, source.*field) << element.name; }, element.field);
    }
    for (const auto& element : ProfileSkinElements()) EXPECT_EQ(sim.*element.field, source.*element.field) << element.name;
    EXPECT_EQ(sim.Career, source.Career);
    EXPECT_EQ(filesOf(targetSkins()), filesOf(skins)) << "every file installed, byte for byte";
}

}  // namespace
}  // namespace corvane
