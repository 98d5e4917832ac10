#include "sim/CharacterList.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::unique_ptr<Sim> sim(int id, const std::string& first, const std::string& last, const std::string& file) {
    auto s = std::make_unique<Sim>();
    s->NeighborID = id;
    s->FirstName = first;
    s->LastName = last;
    s->FileName = file;
    return s;
}

CharacterList threeCharacters() {
    std::vector<std::unique_ptr<Sim>> characters;
    characters.push_back(sim(1, "Mortimer", "Goth", "User00003"));
    characters.push_back(sim(2, "bella", "Goth", "User00001"));
    characters.push_back(sim(3, "Ann", "Newbie", "User00002"));
    characters[0]->Relationships.push_back({3, "Ann", "Newbie", 10, 0, 0, 0, 1, 0});
    characters[1]->Relationships.push_back({3, "Ann", "Newbie", 20, 0, 0, 0, 1, 0});
    CharacterList list;
    list.assign(std::move(characters), {}, std::nullopt);
    return list;
}

std::vector<std::string> texts(const CharacterList& list) {
    std::vector<std::string> out;
    for (const auto& entry : list.entries()) out.push_back(entry.text);
    return out;
}

TEST(CharacterList, SortsFamilyFirstIgnoringCase) {
    CharacterList list = threeCharacters();
    EXPECT_EQ(texts(list), (std::vector<std::string>{"Goth, bella : User00001", "Goth, Mortimer : User00003",
                                                     "Newbie, Ann : User00002"}));
    EXPECT_EQ(list.selected(), 0);
}

TEST(CharacterList, SortCycleKeepsTheSelectedCharacterAndComesBackAfterThree) {
    CharacterList list = threeCharacters();
    list.select(2);  // Ann
    list.cycleFormat();
    EXPECT_EQ(texts(list), (std::vector<std::string>{"Ann Newbie : User00002", "bella Goth : User00001",
                                                     "Mortimer Goth : User00003"}));
    EXPECT_EQ(list.selectedSim()->NeighborID, 3);
    list.cycleFormat();
    EXPECT_EQ(texts(list).front(), "User00001 : Goth, bella");
    EXPECT_EQ(list.selectedSim()->NeighborID, 3);
    list.cycleFormat();
    EXPECT_EQ(texts(list), texts(threeCharacters()));
    EXPECT_EQ(list.selectedSim()->NeighborID, 3);

    CharacterList none;
    none.cycleFormat();
    EXPECT_TRUE(none.empty());
}

TEST(CharacterList, RemovingTheLastEntrySelectsTheNewLastAndDropsRelationshipsToIt) {
    CharacterList list = threeCharacters();
    list.remove(2);  // Ann, the last entry
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.selected(), 1);
    for (Sim* other : list.sims()) {
        EXPECT_EQ(other->relationshipTo(3), nullptr) << other->FirstName;
    }
    list.remove(0);
    EXPECT_EQ(list.selected(), 0);
    list.remove(0);
    EXPECT_EQ(list.selected(), -1);
    EXPECT_EQ(list.selectedSim(), nullptr);
}

TEST(CharacterList, RecognisesEachFormat) {
    Sim s = *sim(1, "Bella", "Goth", "User00001");
    for (LabelFormat format : {LabelFormat::FamilyFirst, LabelFormat::GivenFirst, LabelFormat::FileFirst}) {
        EXPECT_EQ(RecogniseFormat(EntryText(s, format), s), format);
    }
}

}  // namespace
}  // namespace corvane
