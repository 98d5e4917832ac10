#pragma once

#include "platform/ProcessLock.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace corvane {

// One writer per game installation: the editor holds this lock for as long
// as it has the installation open, the command line for the length of a
// write. It is a lock file per installation in the application folder's
// "Locks" (named after the installation's folder, and holding its path and
// who holds it); the system drops the lock when the holder ends, however it
// ends, so a crashed editor leaves none behind.
class InstallationLock {
public:
    // Takes the lock of the installation at `gamePath` at once, writing
    // `holder` (such as "corvane3d-cli set, process 4711") into the lock file;
    // nothing when another process holds it. Throws std::runtime_error naming
    // the lock file when it cannot be created.
    static std::optional<InstallationLock> TryTake(const std::filesystem::path& gamePath, const std::string& holder);

    // The same, trying again for up to `patience` while another process holds it.
    static std::optional<InstallationLock> Take(const std::filesystem::path& gamePath, const std::string& holder,
                                                std::chrono::milliseconds patience);

    // Who holds the lock of the installation, as its holder wrote it; empty when unknown.
    static std::string Holder(const std::filesystem::path& gamePath);

    // The lock file of the installation at `gamePath`.
    static std::filesystem::path LockFile(const std::filesystem::path& gamePath);

    // "<program>, process <id>": what a holder writes about itself.
    static std::string ThisProcess(const std::string& program);

private:
    explicit InstallationLock(ProcessLock lock) : lock_(std::move(lock)) {}
    ProcessLock lock_;
};

}  // namespace corvane
