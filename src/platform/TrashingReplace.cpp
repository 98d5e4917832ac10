#include "platform/TrashingReplace.h"

#include "platform/AtomicFile.h"
#include "platform/DurableWrite.h"
#include "platform/FileBytes.h"
#include "platform/ShellFileOps.h"
#include "platform/SystemCalls.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

namespace fs = std::filesystem;

namespace {

// File systems without hard links answer one of these; a copy serves there.
bool linksUnsupported(int error) {
    return error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP || error == EOPNOTSUPP ||
           error == ENOSYS;
}

// A second name beside `target` for the file there, holding its bytes.
fs::path keepOldFile(const fs::path& target) {
    const fs::path second = SiblingTemporaryName(target);
    if (sys::Link(target.string(), second.string()) == 0) return second;
    const int error = errno;
    if (!linksUnsupported(error)) {
        throw ShellOperationError("cannot keep the old file " + QuotedPath(target) + " before replacing it", error);
    }
    try {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(target);
        WriteTemporaryFile(second, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), target);
    } catch (const std::exception& failure) {
        throw ShellOperationError("cannot keep the old file " + QuotedPath(target) + " before replacing it: " +
                                  failure.what());
    }
    return second;
}

// Takes our second name of a file that is still in its place out of the Trash.
void forgetTrashedCopy(const TrashedItem& trashed) noexcept {
    DiscardTemporary(trashed.item);
    DiscardTemporary(trashed.info);
}

}  // namespace

void RefuseNonFilePlace(const fs::path& file) {
    if (IsFolder(file)) throw ShellOperationError(QuotedPath(file) + " is a folder, not a file", EISDIR);
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        throw ShellOperationError(QuotedPath(file) + " is a special file (a device, socket or pipe), not a file",
                                  EINVAL);
    }
}

Replacement ReplaceSendingOldToTrash(const fs::path& file, const PutNewFile& putNew) {
    RefuseNonFilePlace(file);
    Replacement replacement;
    try {
        replacement.written = WriteTarget(file);
    } catch (const FileWriteError& error) {
        throw ShellOperationError(error.what());
    }
    if (!PathExists(replacement.written)) {
        putNew(replacement.written);
        return replacement;
    }
    const std::optional<FileIdentity> oldFile = IdentityOf(replacement.written);
    const fs::path second = keepOldFile(replacement.written);
    try {
        replacement.old = MoveToTrashAs(second, replacement.written);
    } catch (...) {
        DiscardTemporary(second);
        throw;
    }
    try {
        putNew(replacement.written);
    } catch (...) {
        // A failure after the new file took the place (its folder's flush)
        // leaves the copy in the Trash: it is then the only one.
        if (IdentityOf(replacement.written) == oldFile) forgetTrashedCopy(*replacement.old);
        throw;
    }
    return replacement;
}

Replacement WriteSendingOldToTrash(const fs::path& file, std::string_view content) {
    // A fresh installation may lack the skins folder; nobody is asked to create it.
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    return ReplaceSendingOldToTrash(file, [content](const fs::path& target) { ReplaceFileAtomically(target, content); });
}

}  // namespace corvane
