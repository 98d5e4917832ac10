#include "cli/NeighbourhoodCommands.h"
#include "cli/SetCommand.h"

#include "platform/FileBytes.h"
#include "sim/FieldAssignment.h"
#include "unit/cli/DemoGameTest.h"

namespace corvane::cli {
namespace {

class SetCommandTest : public DemoGameTest {
protected:
    std::vector<std::uint8_t> neighbourhood() const { return ReadFileBytes(game / "UserData" / "neighborhood.iff"); }
};

TEST_F(SetCommandTest, ChangesFieldsAndSavesThem) {
    const std::string printed = run(RunSet, {"UserData", "User00002", "Neat=321", "FirstName=Eléna", "Bio=Sings."});
    EXPECT_EQ(printed, "FirstName: \"Elena\" -> \"Eléna\"\nBio: \"Elena lives in the demo neighborhood.\" -> \"Sings.\"\n"
                       "Neat: 900 -> 321\n");
    const std::string shown = run(RunShow, {"UserData", "User00002"});
    EXPECT_NE(shown.find("Neat\t321\n"), std::string::npos);
    EXPECT_NE(shown.find("FirstName\tEléna\n"), std::string::npos) << "stored in the game's code page, shown as UTF-8";
    EXPECT_NE(shown.find("Bio\tSings.\n"), std::string::npos);
}

TEST_F(SetCommandTest, ADryRunShowsWhatWouldBeWrittenAndWritesNothing) {
    const auto before = neighbourhood();
    const auto character = ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff");
    const std::string printed = run(RunSet, {"UserData", "User00001", "Neat=300", "LastName=Marlowe"}, false, /*dryRun=*/true);
    EXPECT_EQ(printed, "Neat: 900 -> 300\nLastName: \"Marlow\" -> \"Marlowe\"\n"
                       "would change 2 bytes of neighborhood.iff\n"
                       "would rewrite the households and family names of neighborhood.iff\n"
                       "would rebuild Characters/User00001.iff\n");
    EXPECT_EQ(neighbourhood(), before);
    EXPECT_EQ(ReadFileBytes(game / "UserData" / "Characters" / "User00001.iff"), character);
}

TEST_F(SetCommandTest, UnknownFieldsAndValuesOutOfRangeAreRefusedBeforeAnythingIsWritten) {
    const auto before = neighbourhood();
    struct Case {
        std::vector<std::string> assignments;
        std::string message;
    };
    const std::vector<Case> cases{
        {{"Neat=1001"}, "Neat 1001 is out of range (0 to 1000)"},
        {{"Neat=-1"}, "Neat -1 is out of range (0 to 1000)"},
        {{"Neat=lots"}, "Neat needs a whole number, not \"lots\""},
        {{"Neat=300", "Wings=2"}, "unknown or read-only field \"Wings\""},
        {{"NeighborID=9"}, "unknown or read-only field \"NeighborID\""},
        {{"Career=65535"}, "Career 65535 is out of range (a career the game offers at this age and level)"},
        {{"SkinColor=4"}, "SkinColor 4 is out of range (1 (light), 2 (dark) or 3 (medium))"},
        {{"BodyMesh=..\\x"}, "BodyMesh must be a skin's base name, without folders, ',' or '='"},
        {{"JobLevel"}, "\"JobLevel\" is not Field=Value"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"UserData", "User00001"};
        arguments.insert(arguments.end(), c.assignments.begin(), c.assignments.end());
        std::ostringstream out;
        try {
            RunSet(args(arguments), out);
            ADD_FAILURE() << c.message << ": accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(neighbourhood(), before);
}

TEST(FieldAssignment, MarksTheRecordAsTheEditPagesDo) {
    Sim sim;
    sim.LastName = "Marlow";
    sim.HouseNumber = 3;
    AssignField(sim, "SkinColor", "2", 7);
    EXPECT_EQ(sim.SkinTone, "drk");
    EXPECT_TRUE(sim.Modified);
    EXPECT_FALSE(sim.LastNameChanged);
    AssignField(sim, "LastName", "Marlowe", 7);
    EXPECT_TRUE(sim.LastNameChanged);
    AssignField(sim, "HouseNumber", "7", 7);
    EXPECT_TRUE(sim.FamilyChanged);
    sim.FameStarHighWatermark = 4;
    EXPECT_THROW(AssignField(sim, "FameStarPower", "5", 7), FieldAssignmentError) << "power above its high watermark";
    sim.Age = 9;
    AssignField(sim, "Career", "65535", 7);
    EXPECT_THROW(AssignField(sim, "Career", "3", 7), FieldAssignmentError) << "children only go to school";
}

}  // namespace
}  // namespace corvane::cli
