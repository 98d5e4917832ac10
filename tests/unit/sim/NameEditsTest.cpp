#include "sim/HouseJobEdits.h"
#include "sim/NameEdits.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

// The Marlows (Victor, Tess, Biscuit) in family 1 and Iris Vale alone in
// family 2; Tess and Iris know Victor. The list labels given name first.
class NameEditsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::unique_ptr<Sim>> made;
        made.push_back(person("User00001", 1, "Victor", "Marlow", 1));
        made.push_back(person("User00003", 3, "Tess", "Marlow", 1));
        made.push_back(person("User00005", 5, "Iris", "Vale", 2));
        made.push_back(person("User00006", 6, "Biscuit", "Marlow", 1));
        made[1]->Relationships.push_back({1, "Victor", "Marlow", 50, 50, 0, 0, 4, 0});
        made[2]->Relationships.push_back({1, "Victor", "Marlow", 10, 20, 0, 0, 4, 0});
        made[2]->Relationships.push_back({3, "Tess", "Marlow", 10, 20, 0, 0, 4, 0});
        document.open(std::move(made), std::vector<std::optional<Bitmap>>(4), nullptr);
        document.characters().cycleFormat();
        document.select(indexOf("User00001"));
    }
    static std::unique_ptr<Sim> person(const char* file, int id, const char* first, const char* last, int family) {
        auto sim = std::make_unique<Sim>();
        sim->FileName = file;
        sim->NeighborID = id;
        sim->FirstName = first;
        sim->LastName = last;
        sim->FamilyNumber = family;
        sim->HouseNumber = family == 1 ? 3 : 7;
        return sim;
    }
    int indexOf(const std::string& file) const {
        const auto& entries = document.characters().entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].sim->FileName == file) return static_cast<int>(i);
        }
        throw std::logic_error(file);
    }
    Sim& byFile(const std::string& file) { return *document.characters().entries()[indexOf(file)].sim; }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& entry : document.characters().entries()) out.push_back(entry.text);
        return out;
    }
    // By file name: the list's order follows its texts.
    std::vector<Sim> records() const {
        std::vector<Sim> out;
        for (const Sim* sim : document.sims()) out.push_back(*sim);
        std::sort(out.begin(), out.end(), [](const Sim& a, const Sim& b) { return a.FileName < b.FileName; });
        return out;
    }

    Document document{7};
};

TEST_F(NameEditsTest, NamesAndBiographyAreTrimmedOfBlanksAndControlCharacters) {
    struct Case {
        void (*edit)(Document&, Sim&, const std::string&);
        std::string Sim::*field;
        std::string typed;
        std::string stored;
    };
    const std::vector<Case> cases{
        {SetFirstName, &Sim::FirstName, "  Hugo\t\r\n", "Hugo"},
        {SetFirstName, &Sim::FirstName, "\x01Jean Luc\x1f", "Jean Luc"},
        {SetFirstName, &Sim::FirstName, "\xc9lise ", "\xc9lise"},             // code-page letters stay
        {SetLastName, &Sim::LastName, " Van Dyke ", "Van Dyke"},
        {SetBio, &Sim::Bio, "\r\nSings.\r\nDances.\r\n\r\n", "Sings.\r\nDances."},
        {SetBio, &Sim::Bio, " \t ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        c.edit(document, byFile("User00001"), c.typed);
        EXPECT_EQ(byFile("User00001").*c.field, c.stored);
        EXPECT_TRUE(byFile("User00001").Modified);
    }
}

TEST_F(NameEditsTest, ALastNameRenamesTheWholeFamilyAndUndoRestoresEveryMember) {
    const std::vector<Sim> loaded = records();
    const std::vector<std::string> loadedTexts = texts();
    SetLastName(document, byFile("User00003"), " Marlowe ");
    for (const char* member : {"User00001", "User00003", "User00006"}) {
        EXPECT_EQ(byFile(member).LastName, "Marlowe") << member;
    }
    EXPECT_EQ(byFile("User00005").LastName, "Vale") << "another family";
    EXPECT_TRUE(byFile("User00003").Modified);
    EXPECT_TRUE(byFile("User00003").LastNameChanged) << "the save renames the family through her";
    for (const char* other : {"User00001", "User00005", "User00006"}) {
        EXPECT_FALSE(byFile(other).Modified) << other;
        EXPECT_FALSE(byFile(other).LastNameChanged) << other;
    }
    EXPECT_EQ(texts(), (std::vector<std::string>{"Biscuit Marlowe : User00006", "Iris Vale : User00005",
                                                 "Tess Marlowe : User00003", "Victor Marlowe : User00001"}))
        << "every entry relabelled, given name first as before";
    EXPECT_EQ(document.current()->FileName, "User00001") << "the selection stays";
    EXPECT_TRUE(document.saveEnabled());

    ASSERT_TRUE(document.undo());
    EXPECT_EQ(records(), loaded) << "every member's name and flags as loaded";
    EXPECT_FALSE(document.saveEnabled());
    ASSERT_TRUE(document.redo());
    for (const char* member : {"User00001", "User00003", "User00006"}) {
        EXPECT_EQ(byFile(member).LastName, "Marlowe") << member;
    }
    EXPECT_TRUE(byFile("User00003").LastNameChanged);

    ASSERT_TRUE(document.undo());
    SetLastName(document, byFile("User00003"), "Marlowe");
    SetLastName(document, byFile("User00003"), "Marlow");
    EXPECT_EQ(records(), loaded) << "typed and typed back in one step: nothing left to save";
    EXPECT_FALSE(document.saveEnabled());
    EXPECT_EQ(texts(), loadedTexts);
}

TEST_F(NameEditsTest, AFirstNameReachesTheRelationshipsTowardTheCharacterAndKeepsTheListFormat) {
    const std::vector<Sim> loaded = records();
    SetFirstName(document, byFile("User00001"), "Hugo");
    EXPECT_EQ(byFile("User00003").Relationships[0].TargetFirstName, "Hugo");
    EXPECT_EQ(byFile("User00005").Relationships[0].TargetFirstName, "Hugo");
    EXPECT_EQ(byFile("User00005").Relationships[1].TargetFirstName, "Tess") << "toward another character";
    EXPECT_FALSE(byFile("User00005").Modified) << "nothing of hers to save";
    EXPECT_EQ(texts(), (std::vector<std::string>{"Biscuit Marlow : User00006", "Hugo Marlow : User00001",
                                                 "Iris Vale : User00005", "Tess Marlow : User00003"}))
        << "the format recognised with the name the entry was labelled with";
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(records(), loaded);
}

// Typing a name letter by letter: an emptied name or one that begins the
// family name must not turn the list to another format, and a character
// without a neighbour id (0, like others of its kind) stays the one selected.
TEST_F(NameEditsTest, TypingANameLetterByLetterKeepsTheFormatAndTheSelection) {
    document.characters().cycleFormat();  // file first
    byFile("User00001").NeighborID = 0;
    byFile("User00006").NeighborID = 0;
    document.select(indexOf("User00001"));
    for (const char* typed : {"", "M", "Ma", "Max"}) {
        SetFirstName(document, byFile("User00001"), typed);
        EXPECT_EQ(document.current()->FileName, "User00001") << typed;
    }
    EXPECT_EQ(texts(), (std::vector<std::string>{"User00001 : Marlow, Max", "User00003 : Marlow, Tess",
                                                 "User00005 : Vale, Iris", "User00006 : Marlow, Biscuit"}));
}

// Family number 0 is no family: two characters without one are no household.
TEST_F(NameEditsTest, ALastNameOfACharacterWithoutFamilyRenamesOnlyIt) {
    byFile("User00001").FamilyNumber = 0;
    byFile("User00003").FamilyNumber = 0;
    SetLastName(document, byFile("User00001"), "Drifter");
    EXPECT_EQ(byFile("User00001").LastName, "Drifter");
    EXPECT_EQ(byFile("User00003").LastName, "Marlow");
}

TEST_F(NameEditsTest, ACharacterMovingToAnotherHouseholdKeepsThatFamilysName) {
    MoveToHousehold(document, byFile("User00003"), "Vale", 7);
    ASSERT_TRUE(byFile("User00003").FamilyChanged);
    EXPECT_THROW(SetLastName(document, byFile("User00003"), "Marlowe"), EditError);
    EXPECT_EQ(byFile("User00003").LastName, "Vale");
    EXPECT_EQ(byFile("User00001").LastName, "Marlow");
}

}  // namespace
}  // namespace corvane
