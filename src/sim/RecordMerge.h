#pragma once

#include "sim/Sim.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace corvane {

// One value changed both in the editor and, since the editor read it, by
// another program in the files.
struct FieldConflict {
    std::string field;   // the record's field name: "Nice", "FamilyCash", "Daily"
    // For a relationship value: the other character (neighbour id, names in
    // the game's code page); 0 and empty for the record's own fields.
    std::int32_t relationshipTarget = 0;
    std::string targetName;
    bool isText = false;  // the values are texts in the game's code page
    std::string onDisk;
    std::string inEditor;
};

enum class ConflictAnswer {
    KeepEditor,  // the editor's value is saved
    KeepDisk,    // the value in the files stays
    Cancel,      // nothing is saved
};

using ConflictQuestion = std::function<ConflictAnswer(const FieldConflict&)>;

// The record as the files hold it now (`onDisk`, read again) with the user's
// own changes carried over: every value that differs between `asRead` (the
// record as the editor read it) and `edited`. Values the user did not change
// take the files' values, so another program's work is kept. A value both
// changed, to different values, is settled by `ask`; nothing when it answers
// Cancel. The save's flags come from `edited`; the record's place in the
// files, its damage and its file's stamp from `onDisk`.
std::optional<Sim> MergeUserChanges(const Sim& asRead, const Sim& edited, const Sim& onDisk, const ConflictQuestion& ask);

}  // namespace corvane
