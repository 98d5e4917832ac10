#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// What became of a save that was cut off (the process was killed, the
// machine went down) before its journal was closed.
struct InterruptedSave {
    enum class Outcome {
        None,       // there was none
        Completed,  // every new file had been written: they now all replace the old ones
        Undone,     // not every new file was written: the old files stay, the new ones are gone
    };
    Outcome outcome = Outcome::None;
    std::vector<std::filesystem::path> files;  // the files that save was replacing
};

/*
 Replaces a set of files all together or not at all, as databases do with a
 journal. The journal is a text file, written whole each time:

     Corvane 3D save journal
     prepared | committed
     <new file><TAB><file it replaces>      one line a file; %, TAB, CR, LF as %25 %09 %0D %0A

 A file whose old content goes to the Trash has a third name on its line:
 a second name beside it that keeps the old content (a hard link, or a copy
 where the file system has none) until it is in the Trash.

 1. the journal lists the new files' names ("prepared");
 2. each new file is written beside the file it replaces and flushed, and
    the old content to be trashed gets its second name;
 3. the journal says "committed": from here on the save counts as made;
 4. the new files are renamed over the old ones, the folders flushed, and the
    old contents go to the Trash under the names they had;
 5. the journal is removed.
 A save cut off before 3 is undone at the next start (the new files and the
 second names are removed), one cut off after it is completed (the remaining
 renames are made, the old contents still there go to the Trash). The file
 named at every moment holds its old content or its new one.
*/

// What becomes of the content a new file replaces.
enum class ReplacedContent {
    Dropped,  // the editor keeps its own copy where it needs one (a save's backup)
    ToTrash,  // the player's file: restorable from the Trash
};
class AtomicFileSet {
public:
    // `journal`: the journal's path, in the editor's own folder.
    explicit AtomicFileSet(std::filesystem::path journal);

    void add(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
             ReplacedContent replaced = ReplacedContent::Dropped);
    bool empty() const { return files_.empty(); }
    const std::vector<std::filesystem::path>& files() const;

    // Writes the set. A save an earlier process left cut off is finished
    // first (its outcome returned). Throws FileWriteError naming the file and
    // the cause; then either no file has changed, or every file is completed
    // by the next start (the message says which).
    InterruptedSave commit();

private:
    std::filesystem::path journal_;
    std::vector<std::filesystem::path> files_;
    std::vector<std::vector<std::uint8_t>> contents_;
    std::vector<ReplacedContent> replaced_;
};

// Completes or undoes a save that `journal` shows was cut off; removes
// temporary files an interrupted journal write left beside it. Does nothing
// while another process is saving. Throws FileWriteError when a file cannot
// be completed (the journal stays for the next try). `alsoWhileLocked` runs
// first, while no other process can be saving.
InterruptedSave FinishInterruptedSave(const std::filesystem::path& journal,
                                      const std::function<void()>& alsoWhileLocked = {});

}  // namespace corvane
