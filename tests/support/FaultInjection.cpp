#include "support/FaultInjection.h"

#include <cerrno>
#include <utility>

#include <sys/wait.h>
#include <unistd.h>

namespace corvane::test {

std::string CallStep::text() const {
    return std::string(sys::CallName(call)) + " " + about;
}

std::vector<CallStep> RecordCalls(const std::function<void()>& action) {
    std::vector<CallStep> steps;
    auto previous = sys::SetCallHook([&](sys::Call call, const std::string& about) {
        steps.push_back({call, about});
        return 0;
    });
    try {
        action();
    } catch (...) {
        sys::SetCallHook(std::move(previous));
        throw;
    }
    sys::SetCallHook(std::move(previous));
    return steps;
}

FailingCall::FailingCall(std::size_t index, int error) {
    sys::SetCallHook([index, error, count = std::size_t{0}](sys::Call, const std::string&) mutable {
        return count++ == index ? error : 0;
    });
}

FailingCall::~FailingCall() {
    sys::SetCallHook({});
}

int RunInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        int result = 1;
        try {
            result = body();
        } catch (...) {
            result = 2;
        }
        ::_exit(result);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int RunKilledAtCall(std::size_t index, const std::function<int()>& body) {
    return RunInChild([&] {
        sys::SetCallHook([index, count = std::size_t{0}](sys::Call, const std::string&) mutable {
            if (count++ == index) ::_exit(kKilledAtCall);
            return 0;
        });
        return body();
    });
}

RefusedRenames::RefusedRenames(std::string part)
    : previous_(sys::SetCallHook([part = std::move(part)](sys::Call call, const std::string& about) {
          return call == sys::Call::Rename && about.find(part) != std::string::npos ? EACCES : 0;
      })) {}

RefusedRenames::~RefusedRenames() {
    sys::SetCallHook(std::move(previous_));
}

}  // namespace corvane::test
