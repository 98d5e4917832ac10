#include "platform/SystemCalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace corvane::sys {

namespace {

CallHook& hook() {
    static CallHook installed;
    return installed;
}

// True when the hook made the call fail (errno is then set).
bool refused(Call call, const std::string& about) {
    if (!hook()) return false;
    const int error = hook()(call, about);
    if (error == 0) return false;
    errno = error;
    return true;
}

}  // namespace

const char* CallName(Call call) {
    switch (call) {
        case Call::Create: return "create";
        case Call::Write: return "write";
        case Call::Flush: return "fsync";
        case Call::Permissions: return "fchmod";
        case Call::Close: return "close";
        case Call::Rename: return "rename";
        case Call::Remove: return "unlink";
        case Call::FolderFlush: return "fsync folder";
        case Call::Link: return "link";
    }
    return "?";
}

CallHook SetCallHook(CallHook replacement) {
    return std::exchange(hook(), std::move(replacement));
}

int CreateExclusive(const std::string& path, mode_t mode) {
    if (refused(Call::Create, path)) return -1;
    return ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode);
}

ssize_t Write(int descriptor, const void* data, size_t size, const std::string& about) {
    if (refused(Call::Write, about)) return -1;
    return ::write(descriptor, data, size);
}

int Flush(int descriptor, const std::string& about) {
    if (refused(Call::Flush, about)) return -1;
    return ::fsync(descriptor);
}

int Permissions(int descriptor, mode_t mode, const std::string& about) {
    if (refused(Call::Permissions, about)) return -1;
    return ::fchmod(descriptor, mode);
}

int Close(int descriptor, const std::string& about) {
    if (refused(Call::Close, about)) {
        // The descriptor is released all the same, as close() does on failure.
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return ::close(descriptor);
}

int Rename(const std::string& from, const std::string& to) {
    if (refused(Call::Rename, to)) return -1;
    return ::rename(from.c_str(), to.c_str());
}

int RenameNoReplace(const std::string& from, const std::string& to) {
    if (refused(Call::Rename, to)) return -1;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return -1;
    // A file system without the flag: check first, then rename.
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

int RenameExchange(const std::string& first, const std::string& second) {
    if (refused(Call::Rename, second)) return -1;
    return ::renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE);
}

int Remove(const std::string& path) {
    if (refused(Call::Remove, path)) return -1;
    return ::unlink(path.c_str());
}

int Link(const std::string& existing, const std::string& newName) {
    if (refused(Call::Link, newName)) return -1;
    return ::link(existing.c_str(), newName.c_str());
}

int FlushFolder(const std::string& folder) {
    if (refused(Call::FolderFlush, folder)) return -1;
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return -1;
    const int flushed = ::fsync(descriptor);
    const int error = errno;
    ::close(descriptor);
    errno = error;
    return flushed;
}

}  // namespace corvane::sys
