#include "platform/ShellFileOps.h"

#include "platform/GameWriteGuard.h"
#include "platform/SystemCalls.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string_view>
#include <system_error>

namespace corvane {

namespace fs = std::filesystem;

namespace {

// Free names are searched this far before the operation gives up.
constexpr int kMaxNameNumber = 9999;

[[noreturn]] void fail(const std::string& what) {
    throw ShellOperationError(what);
}

[[noreturn]] void fail(const std::string& what, int error) {
    throw ShellOperationError(what, error);
}

[[noreturn]] void fail(const std::string& what, const std::error_code& ec) {
    fail(what + ": " + ec.message());
}

// A file descriptor owned by std::unique_ptr: the deleter's pointer type is
// the descriptor itself, so every early exit closes it.
struct Descriptor {
    int fd = -1;
    Descriptor() = default;
    Descriptor(std::nullptr_t) {}
    explicit Descriptor(int value) : fd(value) {}
    explicit operator bool() const { return fd >= 0; }
    friend bool operator==(Descriptor, Descriptor) = default;
};

struct CloseDescriptor {
    using pointer = Descriptor;
    void operator()(Descriptor d) const { ::close(d.fd); }
};

using OwnedDescriptor = std::unique_ptr<Descriptor, CloseDescriptor>;

// Closes explicitly, because a failing close can mean lost data.
int closeChecked(OwnedDescriptor descriptor) {
    return ::close(descriptor.release().fd) == 0 ? 0 : errno;
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The folder a path lies in; "." for a bare name.
fs::path parentFolder(const fs::path& path) {
    fs::path parent = path.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

// "dir/" names the folder "dir": drop a trailing separator.
fs::path withoutTrailingSeparator(const fs::path& path) {
    return (!path.has_filename() && path.has_relative_path()) ? path.parent_path() : path;
}

void requireExists(const fs::path& path) {
    if (!PathExists(path)) {
        fail(QuotedPath(path) + " does not exist", ENOENT);
    }
}

void requireFolder(const fs::path& path) {
    requireExists(path);
    if (!IsFolder(path)) {
        fail(QuotedPath(path) + " is not a folder", ENOTDIR);
    }
}

void requireFile(const fs::path& file) {
    requireExists(file);
    if (!isFile(file)) {
        fail(QuotedPath(file) + " is not a file", IsFolder(file) ? EISDIR : EINVAL);
    }
}

void requireAbsent(const fs::path& path) {
    if (PathExists(path)) {
        fail(QuotedPath(path) + " already exists", EEXIST);
    }
}

void createFolders(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        fail("cannot create the folder " + QuotedPath(folder), ec);
    }
    if (!IsFolder(folder)) {
        fail("cannot create the folder " + QuotedPath(folder), ENOTDIR);
    }
}

// True when `inner` is `outer` or lies below it (both physical paths).
bool isWithin(const fs::path& inner, const fs::path& outer) {
    return std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end()).first == outer.end();
}

enum class NameKind { File, Folder };

// The n-th name a copy or rename tries: the name itself, then "name (2).ext",
// "name (3).ext", ...; a folder's dots are part of its name.
fs::path numberedName(const fs::path& name, int n, NameKind kind) {
    if (n == 1) {
        return name;
    }
    const std::string number = " (" + std::to_string(n) + ")";
    if (kind == NameKind::Folder) {
        return name.string() + number;
    }
    return name.stem().string() + number + name.extension().string();
}

// Renames without ever replacing an existing target (rename() would silently
// replace a file or an empty folder). Returns 0 or the errno value.
int renameNoReplace(const fs::path& from, const fs::path& to) {
    return sys::RenameNoReplace(from.string(), to.string()) == 0 ? 0 : errno;
}

int renameReplacing(const fs::path& from, const fs::path& to) {
    return sys::Rename(from.string(), to.string()) == 0 ? 0 : errno;
}

void syncFolder(const fs::path& folder) {
    if (sys::FlushFolder(folder.string()) != 0) {
        fail("cannot flush the folder " + QuotedPath(folder), errno);
    }
}

void removeItem(const fs::path& item, const std::string& context) {
    std::error_code ec;
    fs::remove_all(item, ec);
    if (ec) {
        fail(context + "cannot remove " + QuotedPath(item), ec);
    }
}

// Removes what a failed operation left behind; the operation's own error is
// the one reported.
void discardPartial(const fs::path& item) {
    std::error_code ec;
    fs::remove_all(item, ec);
}

void copyBytes(int from, int to, const fs::path& source, const fs::path& target) {
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) {
            return;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail("cannot read " + QuotedPath(source), errno);
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                fail("cannot write " + QuotedPath(target), errno);
            }
            done += put;
        }
    }
}

// Gives the written file the source's permissions and times, flushes it when
// asked, and closes it.
void finishCopy(OwnedDescriptor out, const struct stat& sourceInfo, const fs::path& target, CopyFlush flush) {
    const int fd = out.get().fd;
    const std::array<timespec, 2> times{sourceInfo.st_atim, sourceInfo.st_mtim};
    if (::fchmod(fd, sourceInfo.st_mode & 07777) != 0 || ::futimens(fd, times.data()) != 0 ||
        (flush == CopyFlush::Yes && sys::Flush(fd, target.string()) != 0)) {
        fail("cannot write " + QuotedPath(target), errno);
    }
    if (const int error = closeChecked(std::move(out)); error != 0) {
        fail("cannot write " + QuotedPath(target), error);
    }
}

// Copies a regular file to `target`, which is created exclusively. Returns
// false, writing nothing, when `target` already exists.
bool copyFileExclusive(const fs::path& source, const fs::path& target, CopyFlush flush) {
    OwnedDescriptor in(Descriptor(::open(source.c_str(), O_RDONLY | O_CLOEXEC)));
    struct stat info {};
    if (!in || ::fstat(in.get().fd, &info) != 0) {
        fail("cannot read " + QuotedPath(source), errno);
    }
    OwnedDescriptor out(Descriptor(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)));
    if (!out) {
        if (errno == EEXIST) {
            return false;
        }
        fail("cannot copy " + QuotedPath(source) + " to " + QuotedPath(target), errno);
    }
    try {
        copyBytes(in.get().fd, out.get().fd, source, target);
        finishCopy(std::move(out), info, target, flush);
    } catch (const ShellOperationError&) {
        discardPartial(target);
        throw;
    }
    return true;
}

void copyEntry(const fs::path& source, const fs::path& target, CopyFlush flush);

void copyFolder(const fs::path& source, const struct stat& info, const fs::path& target, CopyFlush flush) {
    // Created private and writable; the source's mode is applied once filled.
    if (::mkdir(target.c_str(), 0700) != 0) {
        fail("cannot create the folder " + QuotedPath(target), errno);
    }
    std::error_code ec;
    for (fs::directory_iterator it(source, ec), end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        copyEntry(it->path(), target / it->path().filename(), flush);
    }
    if (ec) {
        fail("cannot list the folder " + QuotedPath(source), ec);
    }
    const std::array<timespec, 2> times{info.st_atim, info.st_mtim};
    if (::chmod(target.c_str(), info.st_mode & 07777) != 0 ||
        ::utimensat(AT_FDCWD, target.c_str(), times.data(), 0) != 0) {
        fail("cannot set the attributes of " + QuotedPath(target), errno);
    }
    if (flush == CopyFlush::Yes) {
        syncFolder(target);
    }
}

void copySymlink(const fs::path& source, const fs::path& target) {
    std::error_code ec;
    const fs::path destination = fs::read_symlink(source, ec);
    if (!ec) {
        fs::create_symlink(destination, target, ec);
    }
    if (ec) {
        fail("cannot copy the link " + QuotedPath(source) + " to " + QuotedPath(target), ec);
    }
}

// Copies a file, link or folder tree to `target`, which must not exist.
void copyEntry(const fs::path& source, const fs::path& target, CopyFlush flush) {
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0) {
        fail("cannot read " + QuotedPath(source), errno);
    }
    if (S_ISDIR(info.st_mode)) {
        copyFolder(source, info, target, flush);
    } else if (S_ISREG(info.st_mode)) {
        if (!copyFileExclusive(source, target, flush)) {
            fail("cannot copy " + QuotedPath(source) + " to " + QuotedPath(target), EEXIST);
        }
    } else if (S_ISLNK(info.st_mode)) {
        copySymlink(source, target);
    } else {
        fail("cannot copy " + QuotedPath(source) + ": not a file, folder or link");
    }
}

constexpr std::string_view kStagingInfix = ".part-";
constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::size_t kStagingDigits = 12;

// A name beside `target` that nothing uses, to build a copy under before it
// is renamed into place.
fs::path stagingPathFor(const fs::path& target) {
    std::random_device random;
    for (;;) {
        std::string suffix;
        for (std::size_t i = 0; i < kStagingDigits; ++i) {
            suffix += kHexDigits[random() % 16];
        }
        fs::path staging =
            target.parent_path() / ("." + target.filename().string() + std::string(kStagingInfix) + suffix);
        if (!PathExists(staging)) {
            return staging;
        }
    }
}

// Copies `source` (file, link or folder tree) to a staging path beside `target`
// and returns that path; nothing is left behind when the copy fails.
fs::path copyToStaging(const fs::path& source, const fs::path& target, CopyFlush flush) {
    const fs::path staging = stagingPathFor(target);
    try {
        copyEntry(source, staging, flush);
    } catch (const ShellOperationError&) {
        discardPartial(staging);
        throw;
    }
    return staging;
}

using RenameFunction = int (*)(const fs::path&, const fs::path&);

// The cross-file-system half of a move: a flushed copy beside the target,
// renamed into place, and only then the source removed.
// True when the two files hold the same bytes (sizes compared first).
bool sameFileContent(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    const auto sizeA = fs::file_size(a, ec);
    if (ec) return false;
    const auto sizeB = fs::file_size(b, ec);
    if (ec || sizeA != sizeB) return false;
    std::ifstream inA(a, std::ios::binary);
    std::ifstream inB(b, std::ios::binary);
    std::array<char, 1 << 16> bufferA{};
    std::array<char, 1 << 16> bufferB{};
    while (inA && inB) {
        inA.read(bufferA.data(), bufferA.size());
        inB.read(bufferB.data(), bufferB.size());
        if (inA.gcount() != inB.gcount() ||
            !std::equal(bufferA.begin(), bufferA.begin() + inA.gcount(), bufferB.begin())) {
            return false;
        }
    }
    return !inA.bad() && !inB.bad() && inA.eof() && inB.eof();
}

void moveByCopy(const fs::path& source, const fs::path& target, RenameFunction renameIntoPlace) {
    const fs::path staging = copyToStaging(source, target, CopyFlush::Yes);
    // The source goes only once its copy is known whole: a file that changed
    // or a copy that came out short stops the move with both left as they were.
    std::error_code ec;
    if (fs::is_regular_file(fs::symlink_status(source, ec)) && !sameFileContent(source, staging)) {
        discardPartial(staging);
        fail("cannot move " + QuotedPath(source) + " to " + QuotedPath(target) + ": the copy differs from the file");
    }
    if (const int error = renameIntoPlace(staging, target); error != 0) {
        discardPartial(staging);
        fail("cannot move " + QuotedPath(source) + " to " + QuotedPath(target), error);
    }
    syncFolder(parentFolder(target));
    removeItem(source, "copied to " + QuotedPath(target) + ", but ");
}

void move(const fs::path& source, const fs::path& target, RenameFunction renameFunction) {
    const int error = renameFunction(source, target);
    if (error == EXDEV) {
        moveByCopy(source, target, renameFunction);
    } else if (error != 0) {
        fail("cannot move " + QuotedPath(source) + " to " + QuotedPath(target), error);
    }
}

fs::path copyIntoFolder(const fs::path& file, const fs::path& targetFolder, CopyFlush flush) {
    for (int n = 1; n <= kMaxNameNumber; ++n) {
        fs::path candidate = targetFolder / numberedName(file.filename(), n, NameKind::File);
        if (copyFileExclusive(file, candidate, flush)) {
            return candidate;
        }
    }
    fail("no free name for a copy of " + QuotedPath(file) + " in " + QuotedPath(targetFolder), EEXIST);
}

// The regular files directly in a folder, in name order.
std::vector<fs::path> filesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        if (isFile(it->path())) {
            files.push_back(it->path());
        }
    }
    if (ec) {
        fail("cannot list the folder " + QuotedPath(folder), ec);
    }
    std::sort(files.begin(), files.end());
    return files;
}

fs::path physicalFolder(const fs::path& folder) {
    std::error_code ec;
    fs::path physical = fs::weakly_canonical(folder, ec);
    if (ec) {
        fail("cannot resolve " + QuotedPath(folder), ec);
    }
    return physical;
}

}  // namespace

ShellOperationError::ShellOperationError(const std::string& what, int error)
    : std::runtime_error(what + ": " + std::generic_category().message(error)) {}

bool IsCopyStagingName(const std::string& name) {
    const std::size_t infix = name.size() - std::min(name.size(), kStagingDigits + kStagingInfix.size());
    return name.size() > 1 + kStagingInfix.size() + kStagingDigits && name.front() == '.' &&
           name.compare(infix, kStagingInfix.size(), kStagingInfix) == 0 &&
           name.find_first_not_of(kHexDigits, infix + kStagingInfix.size()) == std::string::npos;
}

bool PathExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

bool IsFolder(const fs::path& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

std::optional<FileIdentity> IdentityOf(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

std::string QuotedPath(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

fs::path CopyFileToFolder(const fs::path& file, const fs::path& targetFolder) {
    RequireWritable(targetFolder);
    requireFile(file);
    createFolders(targetFolder);
    return copyIntoFolder(file, targetFolder, CopyFlush::No);
}

std::vector<fs::path> CopyFolderFiles(const fs::path& sourceFolder, const fs::path& targetFolder, CopyFlush flush) {
    RequireWritable(targetFolder);
    requireFolder(sourceFolder);
    const std::vector<fs::path> files = filesIn(sourceFolder);
    createFolders(targetFolder);
    std::vector<fs::path> written;
    written.reserve(files.size());
    for (const fs::path& file : files) {
        written.push_back(copyIntoFolder(file, targetFolder, flush));
    }
    if (flush == CopyFlush::Yes) {
        syncFolder(targetFolder);
    }
    return written;
}

void CopyFolderTree(const fs::path& sourceFolder, const fs::path& targetFolder, CopyFlush flush) {
    RequireWritable(targetFolder);
    requireFolder(sourceFolder);
    const fs::path target = withoutTrailingSeparator(targetFolder);
    requireAbsent(target);
    const fs::path source = physicalFolder(sourceFolder);
    if (isWithin(physicalFolder(target), source)) {
        fail("cannot copy " + QuotedPath(sourceFolder) + " into itself (" + QuotedPath(target) + ")", EINVAL);
    }
    createFolders(parentFolder(target));
    const fs::path staging = copyToStaging(source, target, flush);
    if (const int error = renameNoReplace(staging, target); error != 0) {
        discardPartial(staging);
        fail("cannot copy " + QuotedPath(sourceFolder) + " to " + QuotedPath(target), error);
    }
    if (flush == CopyFlush::Yes) {
        syncFolder(parentFolder(target));
    }
}

void MoveFile(const fs::path& source, const fs::path& target) {
    RequireWritable(source);
    RequireWritable(target);
    requireFile(source);
    if (IsFolder(target)) {
        fail("cannot move " + QuotedPath(source) + " to " + QuotedPath(target), EISDIR);
    }
    createFolders(parentFolder(target));
    move(source, target, renameReplacing);
}

void MoveToNewPath(const fs::path& source, const fs::path& target) {
    RequireWritable(source);
    RequireWritable(target);
    requireExists(source);
    requireAbsent(target);
    requireFolder(parentFolder(target));
    move(source, target, renameNoReplace);
}

fs::path RenameFolder(const fs::path& folder, const fs::path& newPath, RenameCollision onCollision) {
    RequireWritable(folder);
    RequireWritable(newPath);
    requireFolder(folder);
    const fs::path wanted = withoutTrailingSeparator(newPath);
    requireFolder(parentFolder(wanted));
    for (int n = 1; n <= kMaxNameNumber; ++n) {
        const fs::path candidate = wanted.parent_path() / numberedName(wanted.filename(), n, NameKind::Folder);
        const int error = renameNoReplace(folder, candidate);
        if (error == 0) {
            return candidate;
        }
        const bool taken = error == EEXIST || error == ENOTEMPTY;
        if (!taken || onCollision == RenameCollision::Fail) {
            fail("cannot rename " + QuotedPath(folder) + " to " + QuotedPath(candidate), error);
        }
    }
    fail("no free name for " + QuotedPath(wanted), EEXIST);
}

void DeletePermanently(const fs::path& item) {
    RequireWritable(item);
    requireExists(item);
    std::error_code ec;
    const fs::path absolute = fs::absolute(item, ec);
    if (ec || !absolute.has_relative_path()) {
        fail("refusing to delete " + QuotedPath(item), EPERM);
    }
    removeItem(item, "");
}

}  // namespace corvane
