#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace corvane::sys {

// The system calls of the editor's all-or-nothing writes, in one place so
// that tests can make any one of them fail, or end the process right there,
// and show that no save leaves a half-written neighbourhood behind.

enum class Call { Create, Write, Flush, Permissions, Close, Rename, Remove, FolderFlush, Link };

const char* CallName(Call call);

// Asked before every call with what the call is about (a path). Returns 0 to
// let the call run, or an errno value to make it fail with that error.
using CallHook = std::function<int(Call, const std::string& about)>;

// Installs `hook` (an empty one removes it); returns the one it replaces.
CallHook SetCallHook(CallHook hook);

// Each behaves as its POSIX namesake; `about` only tells the hook.
int CreateExclusive(const std::string& path, mode_t mode);  // open(O_CREAT|O_EXCL|O_WRONLY|O_CLOEXEC)
ssize_t Write(int descriptor, const void* data, size_t size, const std::string& about);
int Flush(int descriptor, const std::string& about);
int Permissions(int descriptor, mode_t mode, const std::string& about);
int Close(int descriptor, const std::string& about);
int Rename(const std::string& from, const std::string& to);
// rename() that fails with EEXIST rather than replace anything at `to`.
int RenameNoReplace(const std::string& from, const std::string& to);
// Swaps two existing entries in one step (renameat2 RENAME_EXCHANGE); EINVAL
// where the file system cannot.
int RenameExchange(const std::string& first, const std::string& second);
int Remove(const std::string& path);
// A second name for an existing file (link()).
int Link(const std::string& existing, const std::string& newName);
int FlushFolder(const std::string& folder);

}  // namespace corvane::sys
