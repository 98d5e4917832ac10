#include "neighbourhoods/NeighbourhoodValuesUpdate.h"

#include "demo/CharacterFileWriter.h"
#include "demo/NeighbourhoodFileWriter.h"
#include "neighbourhoods/CharacterLoader.h"
#include "neighbourhoods/NeighbourRecordLayout.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <functional>


namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A neighbourhood of Bob (adult) and Kim (child) who like each other, and
// Bob's record as loading reads it.
struct Fixture {
    explicit Fixture(int expansionLevel) : level(expansionLevel) {
        NeighbourhoodFileSpec spec;
        spec.version = NeighbourhoodVersionFor(expansionLevel);
        NeighbourSpec bob;
        bob.fileName = "User00001";
        bob.neighbourId = 1;
        bob.guid = 0x11;
        bob.recordVersion = NeighbourRecordVersionFor(expansionLevel);
        bob.personData = {{58, 27}, {7, 500}};  // Age, Neat
        bob.relationships = {{2, {40}}, {2, {10, 0, 20, 0}}};
        NeighbourSpec kim = bob;
        kim.fileName = "User00002";
        kim.neighbourId = 2;
        kim.guid = 0x22;
        kim.personData = {{58, 9}};
        kim.relationships = {};
        spec.neighbours = {bob, kim};
        spec.families = {{1, "Smith", 4, 100, 200, {0x11, 0x22}}};
        file = MakeNeighbourhoodFile(spec);
        image = std::make_unique<NeighborhoodImage>(file);
        CharacterFileSpec character;
        character.bodyStrings = StandardBodyStrings("adult", expansionLevel);
        character.guid = 0x11;
        CharacterLoadContext context{image.get(), 1, expansionLevel, expansionLevel >= 6, {}};
        sim = ReadCharacter(MakeCharacterFile(character), "User00001", context).sim;
        sim.Relationships = {{2, "", "", 40, 0, 0, 0, 1, relationshipPos(0)}};
    }
    std::int32_t relationshipPos(int index) const {
        const std::size_t p = static_cast<std::size_t>(sim.NeighborEntryPos);
        const std::size_t first = p + (sim.PersonDataValues == 256 ? 544 : 192);
        return static_cast<std::int32_t>(first + 4 + (index == 0 ? 0 : 16));
    }
    std::vector<std::size_t> changedPositions(const Bytes& after) const {
        std::vector<std::size_t> positions;
        for (std::size_t i = 0; i < file.size(); ++i) {
            if (file[i] != after[i]) positions.push_back(i);
        }
        return positions;
    }

    int level;
    Bytes file;
    std::unique_ptr<NeighborhoodImage> image;
    Sim sim;
    std::string step;
};

TEST(NeighbourhoodValuesUpdate, ChangesOnlyTheBytesOfChangedValues) {
    Fixture f(3);
    const auto p = static_cast<std::size_t>(f.sim.NeighborEntryPos);
    ASSERT_NE(p, 0u);
    Bytes bytes = f.file;
    EXPECT_FALSE(UpdateNeighborhoodValues(bytes, f.sim, f.level, f.step)) << "nothing changed yet";
    f.sim.Neat = 800;
    EXPECT_TRUE(UpdateNeighborhoodValues(bytes, f.sim, f.level, f.step));
    EXPECT_EQ(f.changedPositions(bytes), (std::vector<std::size_t>{p + 32, p + 33}));
    EXPECT_EQ(bytes[p + 32] | (bytes[p + 33] << 8), 800);
}

TEST(NeighbourhoodValuesUpdate, LevelAndAgeDecideWhichInterestsAreWritten) {
    Fixture early(1);
    early.sim.Travel = 700;
    Bytes bytes = early.file;
    EXPECT_FALSE(UpdateNeighborhoodValues(bytes, early.sim, early.level, early.step)) << "no interests before level 3";

    Fixture child(4);
    child.sim.Age = 9;
    child.sim.Romance = 900;
    bytes = child.file;
    const auto p = static_cast<std::size_t>(child.sim.NeighborEntryPos);
    UpdateNeighborhoodValues(bytes, child.sim, child.level, child.step);
    EXPECT_EQ(bytes[p + 128], 0) << "a child's adult interests stay";
    child.sim.Music = 300;
    UpdateNeighborhoodValues(bytes, child.sim, child.level, child.step);
    EXPECT_EQ(bytes[p + 122] | (bytes[p + 123] << 8), 300);
}

TEST(NeighbourhoodValuesUpdate, RelationshipsOnlyWhereTheirRecordStillStands) {
    Fixture f(7);
    f.sim.Relationships[0].Daily = -5;
    f.sim.Relationships.push_back({2, "", "", 99, 99, 1, 1, 4, f.relationshipPos(1)});
    f.sim.Relationships.push_back({3, "", "", 50, 50, 0, 0, 1, f.relationshipPos(0)});  // wrong target there
    Bytes bytes = f.file;
    EXPECT_TRUE(UpdateNeighborhoodValues(bytes, f.sim, f.level, f.step));
    const auto first = static_cast<std::size_t>(f.relationshipPos(0));
    EXPECT_EQ(static_cast<std::int32_t>(bytes[first + 8] | (bytes[first + 9] << 8) | (bytes[first + 10] << 16) |
                                        (static_cast<std::uint32_t>(bytes[first + 11]) << 24)),
              -5);
    const auto second = static_cast<std::size_t>(f.relationshipPos(1));
    EXPECT_EQ(bytes[second + 8], 99);   // Daily
    EXPECT_EQ(bytes[second + 12], 1);   // Crush
    EXPECT_EQ(bytes[second + 16], 99);  // Lifetime
    EXPECT_EQ(bytes[second + 20], 1);   // Love
    EXPECT_EQ(f.step, "Updating Relationships");
}

TEST(NeighbourhoodValuesUpdate, WithoutANeighbourEntryOnlyTheCashIsWritten) {
    Fixture f(3);
    f.sim.NeighborEntryPos = 0;
    f.sim.Neat = 999;
    f.sim.FamilyCash = 12345;
    Bytes bytes = f.file;
    EXPECT_TRUE(UpdateNeighborhoodValues(bytes, f.sim, f.level, f.step));
    const auto cash = static_cast<std::size_t>(f.sim.FamilyChunkPos) + 12;
    EXPECT_EQ(f.changedPositions(bytes), (std::vector<std::size_t>{cash, cash + 1}))
        << "12345 differs from 100 in its two low bytes only; no person data moved";
}

TEST(NeighbourhoodValuesUpdate, EveryWrittenValueReadsBackFromWhereItWasRead) {
    Fixture f(7);
    int value = 100;
    for (const PersonDataField& field : kPersonDataFields) {
        if (field.write != PersonDataWrite::Never) f.sim.*field.field = field.field == &Sim::Age ? 27 : ++value;
    }
    Bytes bytes = f.file;
    ASSERT_TRUE(UpdateNeighborhoodValues(bytes, f.sim, f.level, f.step));
    const NeighborhoodImage image(bytes);
    CharacterFileSpec character;
    character.bodyStrings = StandardBodyStrings("adult", f.level);
    character.guid = 0x11;
    CharacterLoadContext context{&image, 1, f.level, true, {}};
    const Sim again = ReadCharacter(MakeCharacterFile(character), "User00001", context).sim;
    for (const PersonDataField& field : kPersonDataFields) {
        if (field.write != PersonDataWrite::Never) {
            EXPECT_EQ(again.*field.field, f.sim.*field.field) << "offset " << field.offset;
        }
    }
    EXPECT_EQ(again.NeighborID, 1) << "the neighbour id after the 256 values is untouched";
}

// neighborhood.iff changed since the neighbourhood was opened: no value is
// written where its record no longer stands, and the message says where.
TEST(NeighbourhoodValuesUpdate, ARecordNoLongerWhereItWasReadIsNamedWithItsOffset) {
    struct Case {
        const char* fault;
        std::function<void(Bytes&, const Sim&)> change;
        std::string what;  // the record named
        bool family;       // at the family record's position, else at the neighbour record's
    };
    const std::vector<Case> cases{
        {"cut_inside_the_person_data",
         [](Bytes& bytes, const Sim& sim) { bytes.resize(static_cast<std::size_t>(sim.NeighborEntryPos) + 100); },
         "the family record of User00001", true},
        {"neighbour_record_moved",
         [](Bytes& bytes, const Sim& sim) { bytes[static_cast<std::size_t>(sim.NeighborEntryPos)] = 'X'; },
         "the neighbour record of User00001", false},
        {"family_record_moved",
         [](Bytes& bytes, const Sim& sim) { bytes[static_cast<std::size_t>(sim.FamilyChunkPos)] = 'X'; },
         "the family record of User00001", true},
    };
    for (const Case& c : cases) {
        Fixture f(3);
        Bytes bytes = f.file;
        c.change(bytes, f.sim);
        f.sim.Neat = 800;
        f.sim.FamilyCash = 1;
        try {
            UpdateNeighborhoodValues(bytes, f.sim, f.level, f.step);
            ADD_FAILURE() << c.fault << ": written";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.file(), "neighborhood.iff") << c.fault;
            EXPECT_NE(std::string(error.what()).find(c.what + " is no longer at this position"), std::string::npos)
                << c.fault << ": " << error.what();
            EXPECT_EQ(error.offset(), static_cast<std::uint64_t>(c.family ? f.sim.FamilyChunkPos : f.sim.NeighborEntryPos))
                << c.fault;
        }
    }
}

}  // namespace
}  // namespace corvane
