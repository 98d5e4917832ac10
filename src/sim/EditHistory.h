#pragma once

#include "sim/Sim.h"

#include <string>
#include <vector>

namespace corvane {

// One record as one step found it and left it.
struct RecordChange {
    Sim* sim = nullptr;
    Sim before;
    Sim after;
    bool countsAsModified = true;
};

// One undoable step: the records it changed and the Save button around it.
struct EditStep {
    std::string mergeKey;
    std::vector<RecordChange> records;
    bool saveBefore = false;
    bool saveAfter = false;

    RecordChange* find(const Sim* sim);
};

// The steps that can be undone and those that can be redone. A step that
// changes something forgets every step undone before it.
class EditHistory {
public:
    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }

    // The step an edit with `mergeKey` records into: the open last step with
    // that key, else a new one (its Save state before is `saveNow`).
    EditStep& begin(const std::string& mergeKey, bool saveNow);
    // Drops the last step (it changed nothing).
    void dropLast();
    // A step that changed something makes what was undone unreachable.
    void forgetUndone();
    // The next edit starts a step of its own.
    void seal() { open_ = false; }
    void clear();

    // Moves the last step to the other list and returns it; nullptr when there is none.
    EditStep* undo();
    EditStep* redo();

private:
    EditStep* moveLast(std::vector<EditStep>& from, std::vector<EditStep>& to);

    std::vector<EditStep> done_;
    std::vector<EditStep> undone_;
    bool open_ = false;
};

// Whether the record's values differ, its bookkeeping flags aside.
bool RecordValuesDiffer(const Sim& a, const Sim& b);
// Whether a name or a household differs (the list's texts show them).
bool NamesDiffer(const Sim& a, const Sim& b);

}  // namespace corvane
