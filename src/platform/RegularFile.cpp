#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace corvane {

namespace {

[[noreturn]] void failToRead(const std::filesystem::path& path, const std::string& cause) {
    throw std::runtime_error("cannot read " + path.string() + ": " + cause);
}

std::optional<SpecialFileKind> specialKindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return std::nullopt;
    if (S_ISFIFO(mode)) return SpecialFileKind::Fifo;
    if (S_ISSOCK(mode)) return SpecialFileKind::Socket;
    if (S_ISBLK(mode)) return SpecialFileKind::BlockDevice;
    if (S_ISDIR(mode)) return SpecialFileKind::Folder;
    return SpecialFileKind::CharacterDevice;
}

}  // namespace

namespace {

std::string notRegular(SpecialFileKind kind) {
    return "not a regular file (" + SpecialFileKindText(kind) + ")";
}

}  // namespace

std::string SpecialFileKindText(SpecialFileKind kind) {
    switch (kind) {
        case SpecialFileKind::Fifo: return "a FIFO";
        case SpecialFileKind::Socket: return "a socket";
        case SpecialFileKind::BlockDevice: return "a block device";
        case SpecialFileKind::CharacterDevice: return "a character device";
        case SpecialFileKind::Folder: return "a folder";
    }
    return "not a file";
}

std::optional<SpecialFileKind> SpecialKindOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return specialKindOfMode(status.st_mode);
}

std::optional<PathStatus> StatusOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return PathStatus{{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)},
                      specialKindOfMode(status.st_mode)};
}

RegularFile::RegularFile(const std::filesystem::path& path) : path_(path) {
    // A device is not even opened: opening some acts on them.
    if (const auto special = SpecialKindOf(path); special && special != SpecialFileKind::Folder) {
        failToRead(path, notRegular(*special));
    }
    // Without O_NONBLOCK, opening a FIFO put there since the look waits for a
    // writer that may never come; what was opened is looked at again below.
    descriptor_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor_ < 0) failToRead(path, std::strerror(errno));
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0) {
        const int error = errno;
        ::close(descriptor_);
        failToRead(path, std::strerror(error));
    }
    if (const auto special = specialKindOfMode(status.st_mode)) {
        ::close(descriptor_);
        failToRead(path, special == SpecialFileKind::Folder ? std::string(std::strerror(EISDIR)) : notRegular(*special));
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
}

RegularFile::~RegularFile() {
    ::close(descriptor_);
}

std::vector<std::uint8_t> RegularFile::read(std::uint64_t offset, std::size_t count) const {
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(descriptor_, bytes.data() + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) failToRead(path_, std::strerror(errno));
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

std::vector<std::uint8_t> RegularFile::readAll() const {
    // The file may have grown since it was opened: read on until it ends.
    std::vector<std::uint8_t> bytes = read(0, static_cast<std::size_t>(size_));
    for (;;) {
        const std::vector<std::uint8_t> more = read(bytes.size(), 64 * 1024);
        if (more.empty()) return bytes;
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
}

}  // namespace corvane
