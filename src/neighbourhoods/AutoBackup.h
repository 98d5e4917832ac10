#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <set>

namespace corvane {

// One run's backup store. Before the editor overwrites a player's game file
// for the first time in a run, a copy of the file as it was goes to
// `<root>/<date-time>/`, so that no save can lose a neighbourhood.
class AutoBackup {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // `root`: the AutoBackup folder; `gameFolder`: copies keep their path
    // relative to it (e.g. "UserData2/Characters/User00001.iff"); files outside
    // it keep only their file name. `now` is injectable for tests.
    AutoBackup(std::filesystem::path root, std::filesystem::path gameFolder,
               Clock now = std::chrono::system_clock::now);

    // Copies `file` into this run's folder unless it was copied already in this
    // run or does not exist. The run folder ("2026-12-10_03-45-12", local time;
    // "-2", "-3" appended when the name is taken) is made on the first copy, and
    // then run folders beyond the newest kRunsKept are removed. Throws
    // std::runtime_error naming the file when the copy fails: the caller must
    // then not write the file.
    void keepOriginal(const std::filesystem::path& file);

    // Empty before the first copy.
    const std::filesystem::path& runFolder() const { return runFolder_; }

    static constexpr int kRunsKept = 20;

private:
    std::filesystem::path copyPathFor(const std::filesystem::path& file) const;

    std::filesystem::path root_;
    std::filesystem::path gameFolder_;
    Clock now_;
    std::filesystem::path runFolder_;
    std::set<std::filesystem::path> kept_;
};

// Removes the half-made copies a run that was killed while copying left in
// the run folders under `root` (nothing else there is touched).
void RemoveUnfinishedBackupCopies(const std::filesystem::path& root);

// The editor's store for this process: ApplicationFolder()/"AutoBackup", copies
// laid out relative to `gameFolder`. When a call names another game folder (or
// the application folder has moved), a fresh AutoBackup replaces the old one:
// it starts its own run folder and copies every file again on its first write,
// which only ever adds copies. A reference stays valid until such a
// replacement.
AutoBackup& EditorAutoBackup(const std::filesystem::path& gameFolder);

}  // namespace corvane
