#include "platform/ProcessLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>

namespace corvane {

void ProcessLock::Close::operator()(const int* descriptor) const {
    ::close(*descriptor);
    delete descriptor;
}

ProcessLock::ProcessLock(int descriptor) : descriptor_(new int(descriptor)) {}

int ProcessLock::descriptor() const {
    return *descriptor_;
}

std::optional<ProcessLock> ProcessLock::TryTake(const std::filesystem::path& path, Open open) {
    const int flags = open == Open::CreateFile ? O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW : O_RDONLY | O_CLOEXEC;
    const int descriptor = ::open(path.c_str(), flags, 0600);
    if (descriptor < 0) {
        throw std::runtime_error("Cannot open " + path.string() + " to lock it: " + std::strerror(errno));
    }
    ProcessLock lock(descriptor);
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) return std::nullopt;
        throw std::runtime_error("Cannot lock " + path.string() + ": " + std::strerror(errno));
    }
    return lock;
}

}  // namespace corvane
