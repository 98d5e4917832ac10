#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <sys/types.h>

namespace corvane::test {

// Another process holding an installation's lock, as a second editor or a
// running command would: a child that takes the lock, says so, and keeps it
// for `holdFor` (zero: until it is killed). The constructor returns once the
// child holds the lock (holds() says whether it got it).
class ChildLockHolder {
public:
    ChildLockHolder(const std::filesystem::path& game, const std::string& holder, std::chrono::milliseconds holdFor);
    ~ChildLockHolder();
    ChildLockHolder(const ChildLockHolder&) = delete;
    ChildLockHolder& operator=(const ChildLockHolder&) = delete;

    bool holds() const { return holds_; }
    // Ends the child as kill -9 would: no clean-up of its own runs.
    void kill();
    // Waits for the child to end.
    void wait();

private:
    pid_t child_ = -1;
    bool holds_ = false;
};

}  // namespace corvane::test
