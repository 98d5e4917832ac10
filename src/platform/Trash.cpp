#include "platform/Trash.h"

#include "platform/GameWriteGuard.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <system_error>

#include "platform/ShellFileOps.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// Free names are searched this far before the operation gives up.
constexpr int kMaxNameNumber = 9999;

[[noreturn]] void fail(const std::string& what, int error) {
    throw ShellOperationError(what, error);
}

struct TrashCan {
    fs::path root;    // holds files/ and info/
    fs::path topDir;  // empty for the home trash, whose Path= values are absolute
};

std::optional<struct stat> linkStatus(const fs::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

bool pathExists(const fs::path& path) {
    return linkStatus(path).has_value();
}

// True when `inner` is `outer` or lies below it (both absolute and physical).
bool isWithin(const fs::path& inner, const fs::path& outer) {
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

fs::path absoluteEnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    fs::path path = value != nullptr ? fs::path(value) : fs::path();
    return path.is_absolute() ? path : fs::path();
}

fs::path homeFolder() {
    if (fs::path home = absoluteEnvironmentPath("HOME"); !home.empty()) {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        fail("cannot find the home folder for the Trash", ENOENT);
    }
    return found->pw_dir;
}

// The path of an item as the file system sees it: its folder resolved, the
// item itself not (trashing a link trashes the link).
fs::path physicalItemPath(const fs::path& item) {
    std::error_code ec;
    fs::path absolute = fs::absolute(item, ec);
    if (!ec && !absolute.has_filename() && absolute.has_relative_path()) {
        absolute = absolute.parent_path();
    }
    const fs::path name = absolute.filename();
    fs::path physical;
    if (!ec) {
        physical = (name == "." || name == "..") ? fs::canonical(absolute, ec)
                                                 : fs::canonical(absolute.parent_path(), ec) / name;
    }
    if (ec || !pathExists(physical)) {
        fail(QuotedPath(item) + " does not exist", ENOENT);
    }
    return physical;
}

// The item's status, after refusing what no trash can take.
struct stat requireTrashable(const fs::path& item) {
    if (!item.has_relative_path()) {
        fail("cannot move " + QuotedPath(item) + " to the Trash", EPERM);
    }
    const std::optional<struct stat> info = linkStatus(item);
    if (!info) {
        fail(QuotedPath(item) + " does not exist", ENOENT);
    }
    const std::optional<struct stat> parent = linkStatus(item.parent_path());
    if (!parent || parent->st_dev != info->st_dev) {
        fail("cannot move the mount point " + QuotedPath(item) + " to the Trash", EBUSY);
    }
    return *info;
}

void refuseTrashItself(const fs::path& item, const fs::path& trashRoot) {
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(trashRoot, ec);
    if (!ec && (isWithin(item, root) || isWithin(root, item))) {
        fail("cannot move " + QuotedPath(item) + " to the Trash in " + QuotedPath(root), EINVAL);
    }
}

dev_t deviceOfNearestExisting(fs::path path) {
    struct stat info {};
    while (::stat(path.c_str(), &info) != 0 && path.has_relative_path()) {
        path = path.parent_path();
    }
    return info.st_dev;
}

// The topmost folder above `folder` that is still on `device`: the mount point.
fs::path topDirectoryOf(fs::path folder, dev_t device) {
    while (folder.has_relative_path()) {
        const std::optional<struct stat> parent = linkStatus(folder.parent_path());
        if (!parent || parent->st_dev != device) {
            break;
        }
        folder = folder.parent_path();
    }
    return folder;
}

void ensureHomeTrashFolder(const fs::path& folder) {
    std::error_code ec;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        fail("cannot create the Trash folder " + QuotedPath(folder), errno);
    }
    if (!fs::is_directory(folder, ec)) {
        fail("cannot use the Trash folder " + QuotedPath(folder), ENOTDIR);
    }
}

TrashCan prepareHomeTrash() {
    const fs::path root = HomeTrashFolder();
    std::error_code ec;
    fs::create_directories(root.parent_path(), ec);
    if (ec) {
        fail("cannot create the Trash folder " + QuotedPath(root), ec.value());
    }
    for (const fs::path& folder : {root, root / "files", root / "info"}) {
        ensureHomeTrashFolder(folder);
    }
    return TrashCan{root, {}};
}

// A trash folder on a shared file system must be a real folder of our own,
// never a link someone else planted.
bool ensurePrivateFolder(const fs::path& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    const std::optional<struct stat> info = linkStatus(folder);
    return info && S_ISDIR(info->st_mode) && info->st_uid == ::getuid();
}

std::optional<TrashCan> usableTrashCan(const fs::path& root, const fs::path& topDir) {
    if (ensurePrivateFolder(root) && ensurePrivateFolder(root / "files") && ensurePrivateFolder(root / "info")) {
        return TrashCan{root, topDir};
    }
    return std::nullopt;
}

std::optional<TrashCan> prepareTopDirTrash(const fs::path& topDir) {
    const std::string uid = std::to_string(::getuid());
    const fs::path shared = topDir / ".Trash";
    // An administrator's shared trash counts only as a real folder with the sticky bit.
    if (const std::optional<struct stat> info = linkStatus(shared);
        info && S_ISDIR(info->st_mode) && (info->st_mode & S_ISVTX) != 0) {
        if (std::optional<TrashCan> can = usableTrashCan(shared / uid, topDir)) {
            return can;
        }
    }
    return usableTrashCan(topDir / (".Trash-" + uid), topDir);
}

TrashCan chooseTrashCan(const fs::path& item, dev_t itemDevice) {
    if (deviceOfNearestExisting(HomeTrashFolder()) != itemDevice) {
        if (std::optional<TrashCan> can = prepareTopDirTrash(topDirectoryOf(item.parent_path(), itemDevice))) {
            return *can;
        }
    }
    return prepareHomeTrash();
}

// URL escaping of a path's bytes: everything but the unreserved characters
// and the separator becomes %XX.
std::string percentEncoded(const std::string& bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~' || byte == '/';
        if (unreserved) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string trashInfoText(const fs::path& item, const TrashCan& can) {
    const fs::path original = can.topDir.empty() ? item : item.lexically_relative(can.topDir);
    return "[Trash Info]\nPath=" + percentEncoded(original.string()) + "\nDeletionDate=" + localTimeNow() + "\n";
}

// The n-th name tried in files/: the name itself, then "name.2.ext", ...
std::string trashName(const fs::path& name, int n) {
    if (n == 1) {
        return name.string();
    }
    return name.stem().string() + "." + std::to_string(n) + name.extension().string();
}

// Writes the freshly created info file and closes it; on failure removes it.
void writeInfo(int fd, const fs::path& info, const std::string& text) {
    int error = 0;
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
        error = errno;
    } else if (static_cast<std::size_t>(written) != text.size()) {
        error = ENOSPC;
    } else if (::fsync(fd) != 0) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(info.c_str());
        fail("cannot write " + QuotedPath(info), error);
    }
}

// Claims a name in the trash by creating its .trashinfo exclusively first, as
// every program sharing the trash does; a name whose files/ entry exists
// without an info file is skipped too.
TrashedItem claimName(const TrashCan& can, const fs::path& name, const std::string& infoText) {
    for (int n = 1; n <= kMaxNameNumber; ++n) {
        const std::string candidate = trashName(name, n);
        TrashedItem entry{can.root / "files" / candidate, can.root / "info" / (candidate + ".trashinfo")};
        const int fd = ::open(entry.info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            fail("cannot write " + QuotedPath(entry.info), errno);
        }
        if (pathExists(entry.item)) {
            ::close(fd);
            ::unlink(entry.info.c_str());
            continue;
        }
        writeInfo(fd, entry.info, infoText);
        return entry;
    }
    fail("no free name in the Trash " + QuotedPath(can.root) + " for " + QuotedPath(name), EEXIST);
}

}  // namespace

fs::path HomeTrashFolder() {
    fs::path dataHome = absoluteEnvironmentPath("XDG_DATA_HOME");
    if (dataHome.empty()) {
        dataHome = homeFolder() / ".local" / "share";
    }
    return dataHome / "Trash";
}

TrashedItem MoveToTrash(const fs::path& item) {
    return MoveToTrashAs(item, item);
}

TrashedItem MoveToTrashAs(const fs::path& item, const fs::path& originalPath) {
    RequireWritable(item);
    const fs::path physical = physicalItemPath(item);
    const struct stat info = requireTrashable(physical);
    refuseTrashItself(physical, HomeTrashFolder());
    const TrashCan can = chooseTrashCan(physical, info.st_dev);
    refuseTrashItself(physical, can.root);
    std::error_code ec;
    const fs::path recorded =
        originalPath == item ? physical : fs::weakly_canonical(fs::absolute(originalPath, ec), ec);
    const TrashedItem entry = claimName(can, recorded.filename(), trashInfoText(ec ? physical : recorded, can));
    try {
        MoveToNewPath(physical, entry.item);
    } catch (const ShellOperationError&) {
        // A complete copy in the trash keeps its info even when the original
        // could not be removed afterwards.
        if (!pathExists(entry.item)) {
            ::unlink(entry.info.c_str());
        }
        throw;
    }
    return entry;
}

std::vector<TrashedItem> MoveFolderFilesToTrash(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fail(QuotedPath(folder) + " is not a folder", pathExists(folder) ? ENOTDIR : ENOENT);
    }
    std::vector<fs::path> items;
    for (fs::directory_iterator it(folder, ec), end; it != end; it.increment(ec)) {
        if (ec) {
            break;
        }
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        if (statusError) {
            fail("cannot read " + QuotedPath(it->path()), statusError.value());
        }
        if (!fs::is_directory(status)) {
            items.push_back(it->path());
        }
    }
    if (ec) {
        fail("cannot list the folder " + QuotedPath(folder), ec.value());
    }
    std::sort(items.begin(), items.end());
    std::vector<TrashedItem> trashed;
    trashed.reserve(items.size());
    for (const fs::path& item : items) {
        trashed.push_back(MoveToTrash(item));
    }
    return trashed;
}

}  // namespace corvane
