#pragma once

#include "platform/Bitmap.h"
#include "platform/FileStamp.h"
#include "sim/Sim.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// How the character list labels its entries.
enum class LabelFormat { FamilyFirst, GivenFirst, FileFirst };

// "Goth, Bella : User00001", "Bella Goth : User00001" or "User00001 : Goth, Bella".
std::string EntryText(const Sim& sim, LabelFormat format);

// The format a list entry's text is in: the one whose text it is; else given
// name first when it begins with the first name, else file first when it
// begins with the file name, else family first when it begins with the last
// name (an empty name begins nothing); else none.
std::optional<LabelFormat> FormatOfEntry(const std::string& text, const Sim& sim);
// FormatOfEntry, family first when it finds none.
LabelFormat RecogniseFormat(const std::string& text, const Sim& sim);

// The next format of the sort cycle: family first, given name first, file first.
LabelFormat NextFormat(LabelFormat format);

// The characters of the open neighbourhood, sorted by their entry texts
// (letter case ignored), with the selected one. The list owns the records.
class CharacterList {
public:
    struct Entry {
        std::unique_ptr<Sim> sim;
        std::optional<Bitmap> thumbnail;
        std::string text;
    };

    // Takes the loaded characters, labels them family first and sorts them.
    // `neighbourhoodStamp`: neighborhood.iff as it was read (nothing: unknown, not checked).
    void assign(std::vector<std::unique_ptr<Sim>> characters, std::vector<std::optional<Bitmap>> thumbnails,
                std::optional<FileStamp> neighbourhoodStamp);
    void clear();

    // neighborhood.iff's size and modification time as read or last saved,
    // which a save compares with the file before it overwrites it.
    const std::optional<FileStamp>& neighbourhoodStamp() const { return neighbourhoodStamp_; }
    void setNeighbourhoodStamp(std::optional<FileStamp> stamp) { neighbourhoodStamp_ = stamp; }

    // A record as its files held it when they were read or last saved: what
    // differs from it now is the user's own work, which a save carries over
    // onto files another program changed in the meantime. Nothing for a
    // record the list does not hold.
    const Sim* asRead(const Sim& sim) const;
    // The record's files now hold `values` (read again, or saved).
    void setAsRead(const Sim& sim, const Sim& values);

    const std::vector<Entry>& entries() const { return entries_; }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    int selected() const { return selected_; }
    void select(int index);
    Sim* selectedSim() const;

    // The records in list order (borrowed).
    std::vector<Sim*> sims() const;

    // Replaces the picture an entry shows.
    void setThumbnail(std::size_t index, std::optional<Bitmap> thumbnail);
    // Labels every entry in `format`, sorts, and selects the character of
    // `neighborId` (the first entry when it is gone).
    void relabel(LabelFormat format, std::int32_t neighborId);
    // The same, keeping `kept` selected (characters outside the neighbourhood
    // all have neighbour id 0).
    void relabel(LabelFormat format, const Sim* kept);

    // Relabels every entry in the next format, sorts, and keeps the selected
    // character selected. Nothing without a selection.
    void cycleFormat();
    // Relabels every entry in the format the selection shows (after names changed).
    void relabel();

    // Removes the entry, the others' first relationship toward it, and
    // selects the entry now at its place (the last one when it was last).
    void remove(int index);

private:
    void sortKeepingSelection();

    std::vector<Entry> entries_;
    int selected_ = -1;
    std::optional<FileStamp> neighbourhoodStamp_;
    std::map<const Sim*, Sim> asRead_;
};

}  // namespace corvane
