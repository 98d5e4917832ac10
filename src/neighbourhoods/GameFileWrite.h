#pragma once

#include "platform/AtomicFileSet.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace corvane {

// The journal of the editor's saves, in its own folder.
std::filesystem::path SaveJournalFile();

// A file a save installs beside the characters' files (a profile's skins):
// the content it replaces, if any, goes to the Trash.
struct InstalledGameFile {
    std::filesystem::path file;
    std::vector<std::uint8_t> bytes;
};

// New contents for game files, written all together or not at all (see
// AtomicFileSet), each after a copy of its original was kept (AutoBackup).
class GameFileSave {
public:
    explicit GameFileSave(std::filesystem::path gameFolder);

    void add(const std::filesystem::path& file, std::span<const std::uint8_t> bytes);
    // A file of the player's (no backup copy is kept; its old content goes to the Trash).
    void install(const InstalledGameFile& file);
    bool empty() const { return files_.empty(); }

    // Throws std::runtime_error naming the file and the cause when a copy
    // cannot be kept or a file cannot be written; the message says whether
    // the files stayed as they were or are completed at the next start.
    // Returns what became of a save an earlier process left cut off.
    InterruptedSave commit();

private:
    std::filesystem::path gameFolder_;
    AtomicFileSet files_;
    std::vector<std::filesystem::path> backedUp_;
};

// Writes one game file all-or-nothing, keeping a copy of its original first.
void WriteGameFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes,
                   const std::filesystem::path& gameFolder);

// Installs `files` all together or not at all, as a save writes its files.
void InstallGameFiles(const std::vector<InstalledGameFile>& files);

// At start: completes or undoes a save that was cut off, and removes the
// half-made backup copies it may have left. Throws std::runtime_error when
// that save cannot be completed.
InterruptedSave FinishInterruptedGameSave();

}  // namespace corvane
