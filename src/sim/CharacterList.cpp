#include "sim/CharacterList.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace corvane {

std::string EntryText(const Sim& sim, LabelFormat format) {
    switch (format) {
        case LabelFormat::GivenFirst: return sim.FirstName + " " + sim.LastName + " : " + sim.FileName;
        case LabelFormat::FileFirst: return sim.FileName + " : " + sim.LastName + ", " + sim.FirstName;
        case LabelFormat::FamilyFirst: break;
    }
    return sim.LastName + ", " + sim.FirstName + " : " + sim.FileName;
}

std::optional<LabelFormat> FormatOfEntry(const std::string& text, const Sim& sim) {
    for (const LabelFormat format : {LabelFormat::GivenFirst, LabelFormat::FileFirst, LabelFormat::FamilyFirst}) {
        if (text == EntryText(sim, format)) return format;
    }
    const auto begins = [&](const std::string& name) { return !name.empty() && text.starts_with(name); };
    if (begins(sim.FirstName)) return LabelFormat::GivenFirst;
    if (begins(sim.FileName)) return LabelFormat::FileFirst;
    if (begins(sim.LastName)) return LabelFormat::FamilyFirst;
    return std::nullopt;
}

LabelFormat RecogniseFormat(const std::string& text, const Sim& sim) {
    return FormatOfEntry(text, sim).value_or(LabelFormat::FamilyFirst);
}

LabelFormat NextFormat(LabelFormat format) {
    switch (format) {
        case LabelFormat::FamilyFirst: return LabelFormat::GivenFirst;
        case LabelFormat::GivenFirst: return LabelFormat::FileFirst;
        case LabelFormat::FileFirst: break;
    }
    return LabelFormat::FamilyFirst;
}

void CharacterList::assign(std::vector<std::unique_ptr<Sim>> characters, std::vector<std::optional<Bitmap>> thumbnails,
                           std::optional<FileStamp> neighbourhoodStamp) {
    clear();
    neighbourhoodStamp_ = neighbourhoodStamp;
    thumbnails.resize(characters.size());
    for (std::size_t i = 0; i < characters.size(); ++i) {
        std::string text = EntryText(*characters[i], LabelFormat::FamilyFirst);
        asRead_.emplace(characters[i].get(), *characters[i]);
        entries_.push_back({std::move(characters[i]), std::move(thumbnails[i]), std::move(text)});
    }
    selected_ = entries_.empty() ? -1 : 0;
    sortKeepingSelection();
    selected_ = entries_.empty() ? -1 : 0;
}

void CharacterList::clear() {
    entries_.clear();
    selected_ = -1;
    neighbourhoodStamp_.reset();
    asRead_.clear();
}

const Sim* CharacterList::asRead(const Sim& sim) const {
    const auto found = asRead_.find(&sim);
    return found == asRead_.end() ? nullptr : &found->second;
}

void CharacterList::setAsRead(const Sim& sim, const Sim& values) {
    if (asRead_.contains(&sim)) asRead_[&sim] = values;
}

void CharacterList::select(int index) {
    selected_ = (index >= 0 && static_cast<std::size_t>(index) < entries_.size()) ? index : -1;
}

Sim* CharacterList::selectedSim() const {
    return selected_ < 0 ? nullptr : entries_[static_cast<std::size_t>(selected_)].sim.get();
}

std::vector<Sim*> CharacterList::sims() const {
    std::vector<Sim*> out;
    for (const Entry& entry : entries_) out.push_back(entry.sim.get());
    return out;
}

void CharacterList::sortKeepingSelection() {
    const Sim* kept = selectedSim();
    std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return ToLowerAscii(a.text) < ToLowerAscii(b.text);
    });
    if (kept != nullptr) {
        auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& e) { return e.sim->NeighborID == kept->NeighborID; });
        selected_ = static_cast<int>(found - entries_.begin());
    }
}

void CharacterList::relabel() {
    const Sim* current = selectedSim();
    if (current == nullptr) return;
    const LabelFormat format = RecogniseFormat(entries_[static_cast<std::size_t>(selected_)].text, *current);
    for (Entry& entry : entries_) entry.text = EntryText(*entry.sim, format);
    sortKeepingSelection();
}

void CharacterList::setThumbnail(std::size_t index, std::optional<Bitmap> thumbnail) {
    if (index < entries_.size()) entries_[index].thumbnail = std::move(thumbnail);
}

void CharacterList::relabel(LabelFormat format, std::int32_t neighborId) {
    auto wanted = std::find_if(entries_.begin(), entries_.end(),
                               [&](const Entry& e) { return e.sim->NeighborID == neighborId; });
    relabel(format, wanted != entries_.end() ? wanted->sim.get() : nullptr);
}

void CharacterList::relabel(LabelFormat format, const Sim* kept) {
    for (Entry& entry : entries_) entry.text = EntryText(*entry.sim, format);
    auto wanted = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.sim.get() == kept; });
    selected_ = wanted != entries_.end() ? static_cast<int>(wanted - entries_.begin()) : -1;
    sortKeepingSelection();
    if (selected_ < 0) selected_ = entries_.empty() ? -1 : 0;
}

void CharacterList::cycleFormat() {
    const Sim* current = selectedSim();
    if (current == nullptr) return;
    const LabelFormat next = NextFormat(RecogniseFormat(entries_[static_cast<std::size_t>(selected_)].text, *current));
    for (Entry& entry : entries_) entry.text = EntryText(*entry.sim, next);
    sortKeepingSelection();
}

void CharacterList::remove(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return;
    const std::int32_t gone = entries_[static_cast<std::size_t>(index)].sim->NeighborID;
    asRead_.erase(entries_[static_cast<std::size_t>(index)].sim.get());
    entries_.erase(entries_.begin() + index);
    for (Entry& entry : entries_) {
        auto& relationships = entry.sim->Relationships;
        auto first = std::find_if(relationships.begin(), relationships.end(),
                                  [&](const SimRelationShip& r) { return r.TargetID == gone; });
        if (first != relationships.end()) relationships.erase(first);
    }
    selected_ = entries_.empty() ? -1 : std::min(index, static_cast<int>(entries_.size()) - 1);
}

}  // namespace corvane
