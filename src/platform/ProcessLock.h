#pragma once

#include <filesystem>
#include <memory>
#include <optional>

namespace corvane {

// An advisory lock (flock) on a file or folder, held while the object lives.
// The system drops it when the process ends, however it ends, so a crash
// never leaves a stale lock behind.
class ProcessLock {
public:
    enum class Open { Existing, CreateFile };

    // Takes the lock on `path` at once, or returns nothing when another
    // process holds it. With CreateFile a missing file is created (mode 0600).
    // Throws std::runtime_error naming the path when it cannot be opened.
    static std::optional<ProcessLock> TryTake(const std::filesystem::path& path, Open open = Open::Existing);

    // The open file (for the holder to write what it is into a lock file).
    int descriptor() const;

private:
    struct Close {
        void operator()(const int* descriptor) const;
    };
    explicit ProcessLock(int descriptor);
    std::unique_ptr<const int, Close> descriptor_;
};

}  // namespace corvane
