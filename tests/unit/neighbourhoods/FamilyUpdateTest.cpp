#include "neighbourhoods/FamilyUpdate.h"

#include "demo/NeighbourhoodFileWriter.h"
#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "iff/StringTable.h"
#include "platform/LanguageModule.h"
#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::string guidOf(std::uint32_t value) {
    return std::string(reinterpret_cast<const char*>(&value), 4);
}

// House 20 (the Lopez family, chunk id 1) and house 30 (the Ngs, chunk id 2).
std::vector<std::uint8_t> twoFamilies(std::size_t ngMembers = 2) {
    NeighbourhoodFileSpec spec;
    FamilySpec lopez{1, "Lopezz", 20, 1000, 0, {0xA1, 0xA2}};
    FamilySpec ng{2, "Ng", 30, 500, 0, {}};
    for (std::size_t i = 0; i < ngMembers; ++i) ng.members.push_back(0xB0 + static_cast<std::uint32_t>(i));
    spec.families = {lopez, ng};
    return MakeNeighbourhoodFile(spec);
}

struct Family {
    std::int32_t size;
    std::uint32_t members;
};

Family familyOf(const std::vector<std::uint8_t>& file, int id) {
    const ChunkList list = ReadChunkList(file);
    for (const Section& s : list.sections) {
        if (s.ChunkType == "FAMI" && s.ChunkID == id) {
            const auto at = static_cast<std::size_t>(s.ChunkOffset) + 112;
            return {s.ChunkSize, static_cast<std::uint32_t>(file[at] | (file[at + 1] << 8))};
        }
    }
    return {0, 0};
}

class FamilyUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguageModule(LanguageModule::parse("5022\tCorvane 3D\n7010\tSaving failed\n7161\tCannot move\n"
                                                "7162\tinto house\n7163\tIt is full.\n",
                                                "t.lng"));
        sim.FileName = "User00002";
        sim.GUID = guidOf(0xA2);
        sim.LastName = "Lopezz";
        sim.HouseNumber = 20;
    }
    void TearDown() override { SetLanguageModule(LanguageModule()); }
    Sim sim;
    test::ScriptedDialogs dialogs;
    std::string step;
};

TEST_F(FamilyUpdateTest, MovingBetweenHousesShiftsTheFamilyRecordsAndTheMap) {
    const auto before = twoFamilies();
    sim.FamilyChanged = true;
    sim.HouseNumber = 30;
    auto after = UpdateFamilyBytes(before, sim, dialogs, step);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(familyOf(*after, 1).size, familyOf(before, 1).size - 4);
    EXPECT_EQ(familyOf(*after, 1).members, 1u);
    EXPECT_EQ(familyOf(*after, 2).size, familyOf(before, 2).size + 4);
    EXPECT_EQ(familyOf(*after, 2).members, 3u);
    // The map points at every chunk where it now stands.
    const ChunkList list = ReadChunkList(*after);
    const auto mapAt = static_cast<std::size_t>(ReadBigEndian(*after, 60, 4));
    EXPECT_EQ(list.sections.back().ChunkType, "rsmp");
    EXPECT_EQ(static_cast<std::size_t>(list.sections.back().ChunkOffset), mapAt);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FamilyUpdateTest, ANewFamilyNameResizesItsNameChunk) {
    const auto before = twoFamilies();
    sim.LastNameChanged = true;
    sim.LastName = " Lopez ";
    auto after = UpdateFamilyBytes(before, sim, dialogs, step);
    ASSERT_TRUE(after.has_value());
    const ChunkList list = ReadChunkList(*after);
    for (const Section& s : list.sections) {
        if (s.ChunkType == "FAMs" && s.ChunkID == 1) {
            EXPECT_EQ(s.ChunkSize, 84 + 5) << "six letters become five";
            EXPECT_EQ(ReadStringTable(ChunkData(*after, s), "n").at(0).value, "Lopez");
        }
    }
}

TEST_F(FamilyUpdateTest, AFullHouseholdKeepsTheCharacterWhereItIs) {
    const auto before = twoFamilies(8);
    sim.FamilyChanged = true;
    sim.HouseNumber = 30;
    dialogs.answer(mrOk);
    EXPECT_FALSE(UpdateFamilyBytes(before, sim, dialogs, step).has_value());
    EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Cannot move User00002 into house 30. It is full."});
}

TEST_F(FamilyUpdateTest, UpdatesThatCannotBeMadeSoundlyAreRefusedWithTheirCause) {
    // The Lopez family's name chunk (id 1) replaced by `chunk`.
    auto withNameChunk = [](const std::vector<std::uint8_t>& file, const std::vector<std::uint8_t>& chunk) {
        return RewriteIff(file, ReadChunkList(file), [&](const Section& s) {
            return s.ChunkType == "FAMs" && s.ChunkID == 1 ? ChunkDecision::replace(chunk) : ChunkDecision::copy();
        }, false);
    };
    const std::vector<std::uint8_t> shortName{0xFD, 0xFF, 0x01, 0x00, 0x01, 'L'};
    const auto shortFams = withNameChunk(twoFamilies(), MakeChunk("FAMs", 1, 0, "", shortName));
    auto famsPastEnd = twoFamilies();
    std::size_t famsAt = 0;
    for (const Section& s : ReadChunkList(famsPastEnd).sections) {
        if (s.ChunkType == "FAMs" && s.ChunkID == 1) famsAt = static_cast<std::size_t>(s.ChunkOffset);
    }
    for (std::size_t i = 0; i < 4; ++i) famsPastEnd[famsAt + 4 + i] = i == 0 ? 0x7F : 0xFF;
    std::size_t shortFamsAt = 0;
    for (const Section& s : ReadChunkList(shortFams).sections) {
        if (s.ChunkType == "FAMs" && s.ChunkID == 1) shortFamsAt = static_cast<std::size_t>(s.ChunkOffset);
    }

    struct Case {
        const char* fault;
        std::vector<std::uint8_t> file;
        std::string guid;
        bool move;  // to house 30; otherwise a new last name
        std::string message;
    };
    const Case cases[] = {
        {"family_not_found", twoFamilies(), guidOf(0xA2), true, "neighborhood.iff: no family record of house 99 for User00002 to move into"},
        {"guid_three_bytes", twoFamilies(), guidOf(0xA2).substr(0, 3), true,
         "neighborhood.iff: no family record lists the GUID of User00002 (it has none: its object chunk was cut short)"},
        {"guid_empty_rename", twoFamilies(), "", false,
         "neighborhood.iff: no family record lists the GUID of User00002 (it has none: its object chunk was cut short)"},
        {"fams_chunk_short", shortFams, guidOf(0xA2), false,
         "neighborhood.iff: the FAMs chunk at offset " + std::to_string(shortFamsAt) +
             " holds 82 bytes, fewer than the 83 a family name needs"},
        {"fams_size_past_end", famsPastEnd, guidOf(0xA2), false,
         "neighborhood.iff: the FAMs chunk at offset " + std::to_string(famsAt) +
             " claims 2147483647 bytes, past the end of the file (" + std::to_string(famsPastEnd.size()) + " bytes)"},
    };
    for (const Case& c : cases) {
        test::ScriptedDialogs told;
        Sim moved = sim;
        moved.GUID = c.guid;
        moved.FamilyChanged = c.move;
        moved.HouseNumber = c.move ? (c.guid.size() == 4 ? 99 : 30) : 20;
        moved.LastNameChanged = !c.move;
        moved.LastName = c.move ? moved.LastName : "Lopez";
        try {
            UpdateFamilyBytes(c.file, moved, told, step);
            ADD_FAILURE() << c.fault << ": not refused";
        } catch (const FamilyUpdateError& refused) {
            EXPECT_EQ(refused.what(), c.message) << c.fault;
        }
        EXPECT_TRUE(told.messageTexts().empty()) << c.fault << ": the save tells it, with its step";
    }
}

}  // namespace
}  // namespace corvane
