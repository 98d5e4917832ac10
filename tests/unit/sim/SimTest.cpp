#include "sim/Sim.h"

#include <gtest/gtest.h>

#include <set>

namespace corvane {
namespace {

TEST(Sim, SkinFieldsAreThe32NamedFieldsInOrder) {
    const auto& fields = SkinFields();
    EXPECT_EQ(fields.front().name, "BodyMesh");
    EXPECT_EQ(fields[8].name, "OpenLHandMesh");
    EXPECT_EQ(fields.back().name, "PajamaTexture");
    Sim sim;
    std::set<std::string*> distinct;
    for (const SkinField& field : fields) {
        distinct.insert(&(sim.*field.field));
    }
    EXPECT_EQ(distinct.size(), 32u) << "each name reaches its own field";
    sim.*fields[3].field = "c003malgt_dad02";
    EXPECT_EQ(sim.HeadTexture, "c003malgt_dad02");
}

TEST(Sim, LookupsAndCodes) {
    std::vector<std::unique_ptr<Sim>> characters;
    for (int id : {4, 7}) {
        characters.push_back(std::make_unique<Sim>());
        characters.back()->NeighborID = id;
    }
    characters[0]->Relationships.push_back({7, "Bella", "Goth", 50, 60, 1, 0, 4, 100});
    EXPECT_EQ(FindSimByNeighborID(characters, 7), characters[1].get());
    EXPECT_EQ(FindSimByNeighborID(characters, 9), nullptr);
    ASSERT_NE(characters[0]->relationshipTo(7), nullptr);
    EXPECT_EQ(characters[0]->relationshipTo(7)->Lifetime, 60);
    EXPECT_EQ(characters[1]->relationshipTo(4), nullptr);
    EXPECT_FALSE(characters[0]->hasNeighbourEntry());

    Sim child;
    child.SkinAge = 9;
    child.Gender = 1;
    child.SkinColor = 3;
    child.BodySize = "chd";
    SkinCodes codes = SkinCodesOf(child, 4);
    EXPECT_EQ(AgeLetter(codes), 'c');
    EXPECT_EQ(SkinToneWord(codes), "med");
    EXPECT_EQ(codes.ExpansionLevel, 4);
}

}  // namespace
}  // namespace corvane
