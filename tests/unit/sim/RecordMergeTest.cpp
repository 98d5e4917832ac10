// Carrying the user's changes of a record onto the record as another program
// saved it: the relationship values, matched by the other character.

#include "sim/RecordMerge.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

Sim WithRelationships(std::vector<SimRelationShip> relationships) {
    Sim sim;
    sim.FileName = "User00001";
    sim.Relationships = std::move(relationships);
    return sim;
}

SimRelationShip Toward(std::int32_t target, std::int32_t daily, std::int32_t lifetime, std::int32_t recordPos) {
    SimRelationShip r;
    r.TargetID = target;
    r.TargetFirstName = "Elena";
    r.TargetLastName = "Marlow";
    r.Daily = daily;
    r.Lifetime = lifetime;
    r.ValueCount = 4;
    r.RecordPos = recordPos;
    return r;
}

TEST(RecordMerge, RelationshipValuesAreMatchedByTheOtherCharacter) {
    struct Case {
        const char* fault;
        Sim onDisk;
        std::vector<FieldConflict> asked;
        std::vector<SimRelationShip> merged;
    };
    const Sim asRead = WithRelationships({Toward(2, 10, 20, 600), Toward(3, 0, 0, 640)});
    Sim edited = asRead;
    edited.Relationships[0].Daily = 50;
    edited.Modified = true;
    const std::vector<Case> cases{
        // The other program changed the lifetime value and added a relationship
        // before Elena's, so her record now stands elsewhere.
        {"other_value_written_back_or_written_at_the_old_place",
         WithRelationships({Toward(3, 0, 0, 600), Toward(4, 5, 5, 640), Toward(2, 10, 70, 680)}),
         {},
         {Toward(3, 0, 0, 600), Toward(4, 5, 5, 640), Toward(2, 50, 70, 680)}},
        {"same_value_changed_on_both_sides_not_asked", WithRelationships({Toward(2, -30, 20, 600), Toward(3, 0, 0, 640)}),
         {FieldConflict{"Daily", 2, "Elena Marlow", false, "-30", "50"}},
         {Toward(2, 50, 20, 600), Toward(3, 0, 0, 640)}},
        {"relationship_gone_on_disk_brought_back", WithRelationships({Toward(3, 0, 0, 600)}), {}, {Toward(3, 0, 0, 600)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        std::vector<FieldConflict> asked;
        const std::optional<Sim> merged = MergeUserChanges(asRead, edited, c.onDisk, [&](const FieldConflict& conflict) {
            asked.push_back(conflict);
            return ConflictAnswer::KeepEditor;
        });
        ASSERT_TRUE(merged);
        EXPECT_EQ(merged->Relationships, c.merged);
        EXPECT_TRUE(merged->Modified);
        ASSERT_EQ(asked.size(), c.asked.size());
        for (std::size_t i = 0; i < asked.size(); ++i) {
            EXPECT_EQ(asked[i].field, c.asked[i].field);
            EXPECT_EQ(asked[i].relationshipTarget, c.asked[i].relationshipTarget);
            EXPECT_EQ(asked[i].targetName, c.asked[i].targetName);
            EXPECT_EQ(asked[i].onDisk, c.asked[i].onDisk);
            EXPECT_EQ(asked[i].inEditor, c.asked[i].inEditor);
        }
    }
}

}  // namespace
}  // namespace corvane
