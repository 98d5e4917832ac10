#pragma once

#include "iff/NeighborhoodImage.h"
#include "sim/ChangeNotifier.h"
#include "sim/CharacterList.h"
#include "sim/EditHistory.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What happened to the document, so that whoever shows it can show it anew.
struct DocumentChange {
    enum class Kind {
        Opened,    // another neighbourhood (or none) is open
        Selected,  // another character is the current one
        Edited,    // records changed: an edit, an undo or a redo
        Saved,     // the save wrote the records; the flags were cleared
    };
    Kind kind = Kind::Edited;
    bool namesChanged = false;  // a name or a household changed: the list's texts follow
};

// A value an edit cannot take; what() says which and why.
class EditError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Throws EditError naming the value when it lies outside low..high.
void RequireEditRange(std::string_view name, long long value, long long low, long long high);

class EditScope;

// The open neighbourhood: its characters with the current one, the
// neighborhood.iff they were read from, the Save button's state, and the
// history of edits since it was opened or last saved. Every change to a
// record goes through edit(), which the pages and the command line share.
class Document {
public:
    explicit Document(int expansionLevel = 0) : expansionLevel_(expansionLevel) {}

    int expansionLevel() const { return expansionLevel_; }
    void setExpansionLevel(int level) { expansionLevel_ = level; }

    // Takes a loaded neighbourhood; the history starts empty. The Save button
    // is enabled when the loading already repaired a record.
    // `imageStamp`: neighborhood.iff as it was read, for the save's check
    // that nobody else wrote it since (nothing: not checked).
    void open(std::vector<std::unique_ptr<Sim>> characters, std::vector<std::optional<Bitmap>> thumbnails,
              std::unique_ptr<NeighborhoodImage> image, std::optional<FileStamp> imageStamp = std::nullopt);
    void close();

    CharacterList& characters() { return characters_; }
    const CharacterList& characters() const { return characters_; }
    std::vector<Sim*> sims() const { return characters_.sims(); }
    NeighborhoodImage* image() const { return image_.get(); }

    // The character the pages show; none while the list is empty.
    Sim* current() const { return characters_.selectedSim(); }
    void select(int index);
    // The character's file went to the Trash: its entry leaves the list (the
    // history with it, since steps may name the record).
    void removeCharacter(int index);

    // The household a character was loaded in (its last name and house).
    struct Household {
        std::string lastName;
        std::int32_t houseNumber = 0;
    };
    const Household* loadedHousehold(const Sim& sim) const;

    // Whether Save has anything to write.
    bool saveEnabled() const { return saveEnabled_; }
    // After a save: the history is gone, Save is enabled again only when a
    // record could not be written (it is still Modified).
    void saved();

    // Runs `apply` as one edit. Records are touched (through the scope)
    // before they change; a record that ends unchanged keeps its flags.
    // Should `apply` throw, every touched record is put back and the error
    // goes on to the caller. An edit with the same `mergeKey` as the step
    // before joins that step until sealStep() (one slider drag, one typed
    // number).
    void edit(std::string_view mergeKey, const std::function<void(EditScope&)>& apply);
    void sealStep() { history_.seal(); }

    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    bool undo();
    bool redo();

    // The random choices of the pages (a skin preselected for a character
    // whose own is not installed): one generator, seeded from the clock,
    // which tests and scripts may seed to repeat a choice.
    std::mt19937& random() { return random_; }
    void seedRandom(std::uint32_t seed) { random_.seed(seed); }

    using Subscription = ChangeNotifier<DocumentChange>::Subscription;
    [[nodiscard]] Subscription subscribe(std::function<void(const DocumentChange&)> observer) {
        return notifier_.subscribe(std::move(observer));
    }
    // Tells the observers about a change made outside the edits (the save).
    void notify(const DocumentChange& change) { notifier_.notify(change); }

private:
    friend class EditScope;
    // Puts a step's records back (`backward`) or forward again.
    bool replay(EditStep* step, bool backward);

    int expansionLevel_;
    CharacterList characters_;
    std::unique_ptr<NeighborhoodImage> image_;
    std::map<const Sim*, Household> loadedHouseholds_;
    bool saveEnabled_ = false;
    EditHistory history_;
    EditScope* activeScope_ = nullptr;
    ChangeNotifier<DocumentChange> notifier_;
    std::mt19937 random_{static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
};

// The records one edit may change.
class EditScope {
public:
    // Remembers the record before it changes and returns it for changing.
    // `countsAsModified`: a change marks the record Modified (a household's
    // shared cash reaches the others without marking them).
    Sim& touch(Sim& sim, bool countsAsModified = true);
    Document& document() { return document_; }

private:
    friend class Document;
    EditScope(Document& document, EditStep& step) : document_(document), step_(step) {}
    Document& document_;
    EditStep& step_;
};

}  // namespace corvane
