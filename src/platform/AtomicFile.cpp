#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace {

[[noreturn]] void failWriting(const std::filesystem::path& file, const std::string& what, int error) {
    throw std::runtime_error("Cannot write " + file.string() + ": " + what + ": " + std::strerror(error));
}

void writeAll(int descriptor, std::string_view content, const std::filesystem::path& file) {
    while (!content.empty()) {
        ssize_t written = ::write(descriptor, content.data(), content.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            failWriting(file, "write failed", errno);
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
}

// After the rename the folder entry itself must reach the disk too.
void syncFolder(const std::filesystem::path& folder) {
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("Cannot read " + file.string() + ": " + std::strerror(errno));
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        throw std::runtime_error("Cannot read " + file.string());
    }
    return content;
}

void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content) {
    std::error_code error;
    const bool isLink = std::filesystem::symlink_status(file, error).type() == std::filesystem::file_type::symlink;
    const std::filesystem::path target = isLink ? std::filesystem::canonical(file, error) : file;
    if (isLink && error) {
        failWriting(file, "cannot follow the link", error.value());
    }
    std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        failWriting(target, "cannot create a temporary file beside it", errno);
    }
    try {
        struct stat existing {};
        if (::stat(target.c_str(), &existing) == 0) {
            ::fchmod(descriptor, existing.st_mode & 07777);
        }
        writeAll(descriptor, content, target);
        if (::fsync(descriptor) != 0) {
            failWriting(target, "flush failed", errno);
        }
        int closed = ::close(descriptor);
        descriptor = -1;
        if (closed != 0) {
            failWriting(target, "close failed", errno);
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            failWriting(target, "cannot replace the file", errno);
        }
    } catch (...) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        ::unlink(temporary.c_str());
        throw;
    }
    syncFolder(target.parent_path());
}

}  // namespace corvane
