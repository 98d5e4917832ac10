#include "platform/DurableWrite.h"

#include "platform/GameWriteGuard.h"
#include "platform/SystemCalls.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <random>
#include <sys/stat.h>

namespace corvane {

namespace {

constexpr std::string_view kNameLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLetters = 6;

[[noreturn]] void fail(const std::filesystem::path& file, const std::string& what, int error) {
    throw FileWriteError(file, "Cannot write " + file.string() + ": " + what + ": " + std::strerror(error));
}

std::string randomLetters() {
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kNameLetters.size() - 1);
    std::string letters;
    for (std::size_t i = 0; i < kRandomLetters; ++i) letters += kNameLetters[pick(generator)];
    return letters;
}

void writeAll(int descriptor, std::string_view content, const std::filesystem::path& target) {
    while (!content.empty()) {
        const ssize_t written = sys::Write(descriptor, content.data(), content.size(), target.string());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) fail(target, "write failed", errno);
        content.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace

std::filesystem::path WriteTarget(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::symlink_status(file, error).type() != std::filesystem::file_type::symlink) return file;
    // A link to nowhere is refused, never replaced by a file of its own.
    std::filesystem::path target = std::filesystem::canonical(file, error);
    if (error) fail(file, "cannot follow the link", error.value());
    return target;
}

std::filesystem::path SiblingTemporaryName(const std::filesystem::path& target) {
    for (;;) {
        std::filesystem::path candidate =
            target.parent_path() / ("." + target.filename().string() + "." + randomLetters());
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) return candidate;
    }
}

bool NameLeavesRoomForTemporary(std::string_view name) {
    return name.size() + 2 + kRandomLetters <= NAME_MAX;
}

bool IsSiblingTemporaryOf(const std::string& name, const std::string& of) {
    if (of.empty() || name.size() != of.size() + 2 + kRandomLetters || name[0] != '.' ||
        name.compare(1, of.size(), of) != 0 || name[1 + of.size()] != '.') {
        return false;
    }
    return name.find_first_not_of(kNameLetters, of.size() + 2) == std::string::npos;
}

bool IsSiblingTemporaryName(const std::string& name) {
    if (name.size() < 3 + kRandomLetters || name[0] != '.') return false;
    const std::size_t dot = name.size() - kRandomLetters - 1;
    return dot > 1 && IsSiblingTemporaryOf(name, name.substr(1, dot - 1));
}

void WriteTemporaryFile(const std::filesystem::path& temporary, std::string_view content,
                        const std::filesystem::path& target) {
    RequireWritable(target);
    struct stat existing {};
    const bool targetExists = ::stat(target.c_str(), &existing) == 0;
    if (!targetExists && errno != ENOENT) fail(target, "cannot read the permissions of the file", errno);
    // A new file gets what any program's new file gets (the umask decides);
    // a replaced one keeps its own permissions, set below.
    const int descriptor = sys::CreateExclusive(temporary.string(), targetExists ? 0600 : 0666);
    if (descriptor < 0) fail(target, "cannot create a temporary file beside it", errno);
    int open = descriptor;
    try {
        if (targetExists && sys::Permissions(descriptor, existing.st_mode & 07777, target.string()) != 0) {
            fail(target, "cannot give the new file the old one's permissions", errno);
        }
        writeAll(descriptor, content, target);
        if (sys::Flush(descriptor, target.string()) != 0) fail(target, "flush failed", errno);
        open = -1;
        if (sys::Close(descriptor, target.string()) != 0) fail(target, "close failed", errno);
    } catch (...) {
        if (open >= 0) sys::Close(open, target.string());
        DiscardTemporary(temporary);
        throw;
    }
}

void MoveOver(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    if (sys::Rename(temporary.string(), target.string()) != 0) fail(target, "cannot replace the file", errno);
}

void FlushFolderEntries(const std::filesystem::path& folder) {
    const std::filesystem::path where = folder.empty() ? std::filesystem::path(".") : folder;
    if (sys::FlushFolder(where.string()) != 0 && errno != EINVAL) {
        throw FileWriteError(where, "Cannot flush the folder " + where.string() + " to disk: " + std::strerror(errno));
    }
}

void RemoveIfPresent(const std::filesystem::path& file) {
    if (sys::Remove(file.string()) != 0 && errno != ENOENT) {
        throw FileWriteError(file, "Cannot remove " + file.string() + ": " + std::strerror(errno));
    }
}

void DiscardTemporary(const std::filesystem::path& temporary) noexcept {
    sys::Remove(temporary.string());
}

}  // namespace corvane
