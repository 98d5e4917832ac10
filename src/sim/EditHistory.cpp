#include "sim/EditHistory.h"

#include <algorithm>

namespace corvane {

RecordChange* EditStep::find(const Sim* sim) {
    auto found = std::find_if(records.begin(), records.end(), [&](const RecordChange& r) { return r.sim == sim; });
    return found == records.end() ? nullptr : &*found;
}

EditStep& EditHistory::begin(const std::string& mergeKey, bool saveNow) {
    if (open_ && !done_.empty() && done_.back().mergeKey == mergeKey) {
        return done_.back();
    }
    done_.push_back(EditStep{mergeKey, {}, saveNow, saveNow});
    open_ = true;
    return done_.back();
}

void EditHistory::forgetUndone() {
    undone_.clear();
}

void EditHistory::dropLast() {
    if (!done_.empty()) done_.pop_back();
    open_ = false;
}

void EditHistory::clear() {
    done_.clear();
    undone_.clear();
    open_ = false;
}

EditStep* EditHistory::undo() {
    return moveLast(done_, undone_);
}

EditStep* EditHistory::redo() {
    return moveLast(undone_, done_);
}

EditStep* EditHistory::moveLast(std::vector<EditStep>& from, std::vector<EditStep>& to) {
    open_ = false;
    if (from.empty()) return nullptr;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return &to.back();
}

bool RecordValuesDiffer(const Sim& a, const Sim& b) {
    Sim flagsAlike = b;
    flagsAlike.Modified = a.Modified;
    flagsAlike.LastNameChanged = a.LastNameChanged;
    flagsAlike.FamilyChanged = a.FamilyChanged;
    return !(a == flagsAlike);
}

bool NamesDiffer(const Sim& a, const Sim& b) {
    return a.FirstName != b.FirstName || a.LastName != b.LastName || a.HouseNumber != b.HouseNumber;
}

}  // namespace corvane
