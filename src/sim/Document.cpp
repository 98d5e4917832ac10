#include "sim/Document.h"

namespace corvane {

namespace {

// The records of a step as they should stand: `before` or `after`.
bool restore(EditStep& step, bool toBefore) {
    bool namesChanged = false;
    for (RecordChange& change : step.records) {
        const Sim& wanted = toBefore ? change.before : change.after;
        namesChanged = namesChanged || NamesDiffer(*change.sim, wanted);
        *change.sim = wanted;
    }
    return namesChanged;
}

}  // namespace

void RequireEditRange(std::string_view name, long long value, long long low, long long high) {
    if (value < low || value > high) {
        throw EditError(std::string(name) + " " + std::to_string(value) + " is out of range (" + std::to_string(low) +
                        " to " + std::to_string(high) + ")");
    }
}

void Document::open(std::vector<std::unique_ptr<Sim>> characters, std::vector<std::optional<Bitmap>> thumbnails,
                    std::unique_ptr<NeighborhoodImage> image, std::optional<FileStamp> imageStamp) {
    history_.clear();
    loadedHouseholds_.clear();
    saveEnabled_ = false;
    for (const std::unique_ptr<Sim>& sim : characters) {
        loadedHouseholds_[sim.get()] = {sim->LastName, sim->HouseNumber};
        saveEnabled_ = saveEnabled_ || sim->Modified;
    }
    characters_.assign(std::move(characters), std::move(thumbnails), imageStamp);
    image_ = std::move(image);
    notifier_.notify({DocumentChange::Kind::Opened, true});
}

void Document::close() {
    history_.clear();
    loadedHouseholds_.clear();
    characters_.clear();
    image_.reset();
    saveEnabled_ = false;
    notifier_.notify({DocumentChange::Kind::Opened, true});
}

void Document::select(int index) {
    characters_.select(index);
    notifier_.notify({DocumentChange::Kind::Selected, false});
}

void Document::removeCharacter(int index) {
    history_.clear();
    if (index >= 0 && static_cast<std::size_t>(index) < characters_.size()) {
        loadedHouseholds_.erase(characters_.entries()[static_cast<std::size_t>(index)].sim.get());
    }
    characters_.remove(index);
    notifier_.notify({DocumentChange::Kind::Selected, true});
}

const Document::Household* Document::loadedHousehold(const Sim& sim) const {
    auto found = loadedHouseholds_.find(&sim);
    return found == loadedHouseholds_.end() ? nullptr : &found->second;
}

void Document::saved() {
    history_.clear();
    saveEnabled_ = false;
    for (const Sim* sim : sims()) saveEnabled_ = saveEnabled_ || sim->Modified;
    notifier_.notify({DocumentChange::Kind::Saved, true});
}

void Document::edit(std::string_view mergeKey, const std::function<void(EditScope&)>& apply) {
    if (activeScope_ != nullptr) {
        // An edit made of other edits is one step.
        apply(*activeScope_);
        return;
    }
    EditStep& step = history_.begin(std::string(mergeKey), saveEnabled_);
    const std::size_t knownBefore = step.records.size();
    std::vector<Sim> startOfEdit;
    for (const RecordChange& change : step.records) startOfEdit.push_back(*change.sim);
    EditScope scope(*this, step);
    activeScope_ = &scope;
    try {
        apply(scope);
        activeScope_ = nullptr;
    } catch (...) {
        activeScope_ = nullptr;
        for (std::size_t i = 0; i < step.records.size(); ++i) {
            *step.records[i].sim = i < knownBefore ? startOfEdit[i] : step.records[i].before;
        }
        step.records.resize(knownBefore);
        if (step.records.empty()) history_.dropLast();
        throw;
    }

    bool anyChange = false;
    bool namesChanged = false;
    for (std::size_t i = 0; i < step.records.size(); ++i) {
        RecordChange& change = step.records[i];
        Sim& sim = *change.sim;
        const Sim& editStart = i < knownBefore ? startOfEdit[i] : change.before;
        namesChanged = namesChanged || NamesDiffer(editStart, sim);
        if (RecordValuesDiffer(change.before, sim)) {
            sim.Modified = sim.Modified || change.countsAsModified;
            anyChange = true;
        } else {
            // Back where the step started: nothing of it needs saving.
            sim.Modified = change.before.Modified;
            sim.LastNameChanged = change.before.LastNameChanged;
            sim.FamilyChanged = change.before.FamilyChanged;
        }
        change.after = sim;
    }
    if (anyChange) {
        history_.forgetUndone();
        saveEnabled_ = true;
        step.saveAfter = true;
    } else {
        saveEnabled_ = step.saveBefore;
        history_.dropLast();
    }
    notifier_.notify({DocumentChange::Kind::Edited, namesChanged});
}

bool Document::undo() {
    return replay(history_.undo(), true);
}

bool Document::redo() {
    return replay(history_.redo(), false);
}

bool Document::replay(EditStep* step, bool backward) {
    if (step == nullptr) return false;
    const bool namesChanged = restore(*step, backward);
    saveEnabled_ = backward ? step->saveBefore : step->saveAfter;
    notifier_.notify({DocumentChange::Kind::Edited, namesChanged});
    return true;
}

Sim& EditScope::touch(Sim& sim, bool countsAsModified) {
    if (RecordChange* known = step_.find(&sim)) {
        known->countsAsModified = known->countsAsModified || countsAsModified;
    } else {
        step_.records.push_back(RecordChange{&sim, sim, sim, countsAsModified});
    }
    return sim;
}

}  // namespace corvane
