#include "platform/AtomicFileSet.h"

#include "platform/AtomicFile.h"
#include "platform/DurableWrite.h"
#include "platform/SystemCalls.h"
#include "platform/Trash.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTitle = "Corvane 3D save journal";
constexpr std::string_view kPrepared = "prepared";
constexpr std::string_view kCommitted = "committed";

struct JournalEntry {
    fs::path temporary;
    fs::path target;
    fs::path kept;  // the old content's second name until it is in the Trash; empty: not kept
};

struct Journal {
    bool committed = false;
    std::vector<JournalEntry> entries;
};

std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '%': out += "%25"; break;
            case '\t': out += "%09"; break;
            case '\r': out += "%0D"; break;
            case '\n': out += "%0A"; break;
            default: out += c;
        }
    }
    return out;
}

std::string unescaped(const std::string& text, const fs::path& journal) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const std::string code = text.substr(i + 1, 2);
        if (code == "25") out += '%';
        else if (code == "09") out += '\t';
        else if (code == "0D") out += '\r';
        else if (code == "0A") out += '\n';
        else throw FileWriteError(journal, "The save journal " + journal.string() + " has an unknown escape %" + code);
        i += 2;
    }
    return out;
}

std::string journalText(const Journal& journal) {
    std::string text = std::string(kTitle) + "\n" + std::string(journal.committed ? kCommitted : kPrepared) + "\n";
    for (const JournalEntry& entry : journal.entries) {
        text += escaped(entry.temporary.string()) + "\t" + escaped(entry.target.string());
        if (!entry.kept.empty()) text += "\t" + escaped(entry.kept.string());
        text += "\n";
    }
    return text;
}

[[noreturn]] void unreadable(const fs::path& journal, int line, const std::string& what) {
    throw FileWriteError(journal, "The save journal " + journal.string() + " cannot be read: line " +
                                      std::to_string(line) + ": " + what);
}

Journal parseJournal(const std::string& text, const fs::path& journal) {
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kTitle) unreadable(journal, 1, "expected \"" + std::string(kTitle) + "\"");
    if (!std::getline(lines, line) || (line != kPrepared && line != kCommitted)) {
        unreadable(journal, 2, "expected \"prepared\" or \"committed\"");
    }
    Journal parsed;
    parsed.committed = line == kCommitted;
    for (int number = 3; std::getline(lines, line); ++number) {
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const auto tab = line.find('\t', start);
            fields.push_back(unescaped(line.substr(start, tab == std::string::npos ? tab : tab - start), journal));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (fields.size() != 2 && fields.size() != 3) {
            unreadable(journal, number, "expected a new file, a tab and the file it replaces");
        }
        JournalEntry entry{fields[0], fields[1], fields.size() == 3 ? fs::path(fields[2]) : fs::path()};
        // Only ever temporary files of ours beside the file they stand for.
        const auto besideTarget = [&](const fs::path& file) {
            return file.parent_path() == entry.target.parent_path() &&
                   IsSiblingTemporaryOf(file.filename().string(), entry.target.filename().string());
        };
        if (!besideTarget(entry.temporary) || (!entry.kept.empty() && !besideTarget(entry.kept))) {
            unreadable(journal, number, "the new file is not a temporary file beside " + entry.target.string());
        }
        parsed.entries.push_back(std::move(entry));
    }
    return parsed;
}

void writeJournal(const fs::path& file, const Journal& journal) {
    ReplaceFileAtomically(file, journalText(journal));
}

void flushFolders(const std::vector<JournalEntry>& entries) {
    std::set<fs::path> folders;
    for (const JournalEntry& entry : entries) folders.insert(entry.target.parent_path());
    for (const fs::path& folder : folders) FlushFolderEntries(folder);
}

void removeJournal(const fs::path& journal) {
    RemoveIfPresent(journal);
    FlushFolderEntries(journal.parent_path());
}

// One save at a time over one journal, across processes.
class JournalLock {
public:
    JournalLock(const fs::path& journal, bool wait) {
        fs::create_directories(journal.parent_path());
        const fs::path lockFile = fs::path(journal.string() + ".lock");
        descriptor_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor_ < 0) {
            throw FileWriteError(lockFile, "Cannot open " + lockFile.string() + ": " + std::strerror(errno));
        }
        held_ = ::flock(descriptor_, LOCK_EX | (wait ? 0 : LOCK_NB)) == 0;
        if (wait && !held_) {
            const int error = errno;
            ::close(descriptor_);
            throw FileWriteError(lockFile, "Cannot lock " + lockFile.string() + ": " + std::strerror(error));
        }
    }
    ~JournalLock() { ::close(descriptor_); }
    JournalLock(const JournalLock&) = delete;
    JournalLock& operator=(const JournalLock&) = delete;
    bool held() const { return held_; }

private:
    int descriptor_ = -1;
    bool held_ = false;
};

void removeLeftoverJournalWrites(const fs::path& journal) {
    std::error_code error;
    const std::string name = journal.filename().string();
    for (const auto& entry : fs::directory_iterator(journal.parent_path(), error)) {
        if (IsSiblingTemporaryOf(entry.path().filename().string(), name)) DiscardTemporary(entry.path());
    }
}

// The old contents of replaced files, kept under their second names, go to
// the Trash as the files they were. One already gone went there before.
void trashKeptContents(const std::vector<JournalEntry>& entries) {
    for (const JournalEntry& entry : entries) {
        std::error_code error;
        if (entry.kept.empty() || !fs::exists(fs::symlink_status(entry.kept, error))) continue;
        try {
            MoveToTrashAs(entry.kept, entry.target);
        } catch (const std::exception& failure) {
            throw FileWriteError(entry.target, "The old " + entry.target.string() +
                                                   " could not be moved to the Trash: " + failure.what());
        }
    }
}

// A second name for the old content of `entry`'s file, made before the new
// file is renamed over it: a hard link, or a copy where links cannot be made.
void keepOldContent(const JournalEntry& entry) {
    if (sys::Link(entry.target.string(), entry.kept.string()) == 0) return;
    const int error = errno;
    if (error != EXDEV && error != EPERM && error != EMLINK && error != ENOTSUP) {
        throw FileWriteError(entry.target, "Cannot keep the old " + entry.target.string() + " for the Trash: " +
                                               std::strerror(error));
    }
    WriteTemporaryFile(entry.kept, ReadTextFile(entry.target), entry.target);
}

// The caller holds the lock.
InterruptedSave finishLocked(const fs::path& journalFile) {
    removeLeftoverJournalWrites(journalFile);
    std::error_code error;
    if (!fs::exists(journalFile, error)) return {};
    Journal journal;
    try {
        journal = parseJournal(ReadTextFile(journalFile), journalFile);
    } catch (const std::exception& bad) {
        // Nothing it names can be trusted: keep it for the player to look at, change no file.
        const fs::path aside(journalFile.string() + ".damaged");
        fs::rename(journalFile, aside, error);
        throw FileWriteError(journalFile, std::string(bad.what()) + "; no file was changed, and the journal " +
                                              (error ? "could not be set aside: " + error.message()
                                                     : "was set aside as " + aside.string()));
    }
    InterruptedSave result;
    for (const JournalEntry& entry : journal.entries) result.files.push_back(entry.target);
    if (journal.committed) {
        for (const JournalEntry& entry : journal.entries) {
            if (fs::exists(fs::symlink_status(entry.temporary, error))) MoveOver(entry.temporary, entry.target);
        }
        flushFolders(journal.entries);
        trashKeptContents(journal.entries);
        result.outcome = InterruptedSave::Outcome::Completed;
    } else {
        for (const JournalEntry& entry : journal.entries) {
            RemoveIfPresent(entry.temporary);
            if (!entry.kept.empty()) RemoveIfPresent(entry.kept);
        }
        result.outcome = InterruptedSave::Outcome::Undone;
    }
    removeJournal(journalFile);
    return result;
}

// A failure past the commit: the journal stays, and the next start finishes the save.
FileWriteError completedAtNextStart(const FileWriteError& failure) {
    return FileWriteError(failure.file(), std::string(failure.what()) +
                                              "; the save is completed when the editor or corvane3d-cli next starts");
}

// Removes the new files of a save that is given up; false when one of them stays.
bool discardAll(const std::vector<JournalEntry>& entries) noexcept {
    bool all = true;
    for (const JournalEntry& entry : entries) {
        for (const fs::path& file : {entry.temporary, entry.kept}) {
            if (file.empty()) continue;
            try {
                RemoveIfPresent(file);
            } catch (const FileWriteError&) {
                all = false;
            }
        }
    }
    return all;
}

// Before the commit: while a new file stays, so does the "prepared" journal
// naming it, and the next start removes both.
void giveUp(const fs::path& journal, const std::vector<JournalEntry>& entries) noexcept {
    if (!discardAll(entries)) return;
    try {
        removeJournal(journal);
    } catch (const FileWriteError&) {
        // A "prepared" journal only undoes this save again at the next start.
    }
}

// New files of earlier saves beside the files this save replaces, that no
// journal names any more (a save killed before its journal was written, or
// by an older version of the editor): they would only pile up.
void removeLeftoverTemporaries(const std::vector<JournalEntry>& entries) {
    std::map<fs::path, std::set<std::string>> namesByFolder;
    for (const JournalEntry& entry : entries) namesByFolder[entry.target.parent_path()].insert(entry.target.filename().string());
    for (const auto& [folder, names] : namesByFolder) {
        std::error_code error;
        for (const auto& file : fs::directory_iterator(folder, error)) {
            const std::string name = file.path().filename().string();
            const bool leftover = std::any_of(names.begin(), names.end(),
                                              [&](const std::string& of) { return IsSiblingTemporaryOf(name, of); });
            if (leftover && file.symlink_status(error).type() == fs::file_type::regular) DiscardTemporary(file.path());
        }
    }
}

}  // namespace

AtomicFileSet::AtomicFileSet(fs::path journal) : journal_(std::move(journal)) {}

void AtomicFileSet::add(const fs::path& file, std::span<const std::uint8_t> bytes, ReplacedContent replaced) {
    files_.push_back(file);
    contents_.emplace_back(bytes.begin(), bytes.end());
    replaced_.push_back(replaced);
}

const std::vector<fs::path>& AtomicFileSet::files() const {
    return files_;
}

InterruptedSave AtomicFileSet::commit() {
    JournalLock lock(journal_, true);
    InterruptedSave earlier = finishLocked(journal_);
    if (files_.empty()) return earlier;

    Journal journal;
    for (std::size_t i = 0; i < files_.size(); ++i) {
        // Absolute, so that a start in another working folder finds them.
        const fs::path target = fs::absolute(WriteTarget(files_[i]));
        JournalEntry entry{SiblingTemporaryName(target), target, {}};
        std::error_code error;
        if (replaced_[i] == ReplacedContent::ToTrash && fs::is_regular_file(fs::symlink_status(target, error))) {
            do {
                entry.kept = SiblingTemporaryName(target);
            } while (entry.kept == entry.temporary);
        }
        journal.entries.push_back(std::move(entry));
    }
    removeLeftoverTemporaries(journal.entries);
    try {
        writeJournal(journal_, journal);
        for (std::size_t i = 0; i < files_.size(); ++i) {
            const auto& bytes = contents_[i];
            WriteTemporaryFile(journal.entries[i].temporary,
                               std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                               journal.entries[i].target);
            if (!journal.entries[i].kept.empty()) keepOldContent(journal.entries[i]);
        }
        // The new files' names must be on disk before the journal says they are complete.
        flushFolders(journal.entries);
        journal.committed = true;
        writeJournal(journal_, journal);
    } catch (...) {
        giveUp(journal_, journal.entries);
        throw;
    }
    for (std::size_t i = 0; i < journal.entries.size(); ++i) {
        try {
            MoveOver(journal.entries[i].temporary, journal.entries[i].target);
        } catch (const FileWriteError& failure) {
            if (i > 0) throw completedAtNextStart(failure);
            // Nothing replaced yet: once the committed journal is gone the save is undone.
            try {
                removeJournal(journal_);
            } catch (const FileWriteError&) {
                throw completedAtNextStart(failure);
            }
            discardAll(journal.entries);
            throw;
        }
    }
    try {
        flushFolders(journal.entries);
        trashKeptContents(journal.entries);
    } catch (const FileWriteError& failure) {
        throw completedAtNextStart(failure);
    }
    try {
        removeJournal(journal_);
    } catch (const FileWriteError&) {
        // Every file is written: a journal left behind only repeats the finished renames at the next start.
    }
    return earlier;
}

InterruptedSave FinishInterruptedSave(const fs::path& journal, const std::function<void()>& alsoWhileLocked) {
    std::error_code error;
    if (!fs::is_directory(journal.parent_path(), error)) return {};  // never saved here: nothing to make
    JournalLock lock(journal, false);
    if (!lock.held()) return {};  // another process is saving right now
    if (alsoWhileLocked) alsoWhileLocked();
    return finishLocked(journal);
}

}  // namespace corvane
