#pragma once

#include "platform/SystemCalls.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::test {

// One system call of an all-or-nothing write, as a step of a fault matrix.
struct CallStep {
    sys::Call call;
    std::string about;
    std::string text() const;  // "fsync UserData/neighborhood.iff"
};

// The calls `action` makes, in order (the calls themselves run normally).
std::vector<CallStep> RecordCalls(const std::function<void()>& action);

// While it lives, call number `index` (from 0) fails with `error`; every other call runs.
class FailingCall {
public:
    FailingCall(std::size_t index, int error);
    ~FailingCall();
    FailingCall(const FailingCall&) = delete;
    FailingCall& operator=(const FailingCall&) = delete;
};

// While it lives, every rename onto a path that contains `part` fails with
// EACCES, as a folder the user may not write to would make it (the tests run
// as any user, the administrator included).
class RefusedRenames {
public:
    explicit RefusedRenames(std::string part);
    ~RefusedRenames();
    RefusedRenames(const RefusedRenames&) = delete;
    RefusedRenames& operator=(const RefusedRenames&) = delete;

private:
    sys::CallHook previous_;
};

// The exit status a child process killed at a call ends with.
inline constexpr int kKilledAtCall = 77;

// Runs `body` in a child process in which call number `index` (from 0) ends
// the process at once with kKilledAtCall, as kill -9 would: no clean-up runs.
// Returns the child's exit status (body's result when no call was reached).
int RunKilledAtCall(std::size_t index, const std::function<int()>& body);

// Runs `body` in a child process; returns its result as the exit status.
int RunInChild(const std::function<int()>& body);

}  // namespace corvane::test
