#include "support/ChildLockHolder.h"

#include "platform/InstallationLock.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <thread>

namespace corvane::test {

ChildLockHolder::ChildLockHolder(const std::filesystem::path& game, const std::string& holder,
                                 std::chrono::milliseconds holdFor) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
        const std::optional<InstallationLock> lock = InstallationLock::TryTake(game, holder);
        const char held = lock ? 1 : 0;
        if (::write(ready[1], &held, 1) != 1) ::_exit(1);
        if (holdFor.count() == 0) {
            for (;;) ::pause();
        }
        std::this_thread::sleep_for(holdFor);
        ::_exit(0);
    }
    char held = 0;
    holds_ = child_ > 0 && ::read(ready[0], &held, 1) == 1 && held == 1;
    ::close(ready[0]);
    ::close(ready[1]);
}

ChildLockHolder::~ChildLockHolder() {
    kill();
}

void ChildLockHolder::kill() {
    if (child_ > 0) ::kill(child_, SIGKILL);
    wait();
}

void ChildLockHolder::wait() {
    if (child_ > 0) ::waitpid(child_, nullptr, 0);
    child_ = -1;
}

}  // namespace corvane::test
