#include "platform/InstallationLock.h"

#include "platform/AppFolder.h"
#include "platform/AtomicFile.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace corvane {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNameLength = 40;
constexpr std::chrono::milliseconds kRetryEvery{100};

// The installation's folder as the system resolves it, so that every way of
// naming it (a link, a trailing separator, "..") finds the same lock.
fs::path canonicalFolder(const fs::path& gamePath) {
    std::error_code ec;
    fs::path folder = fs::weakly_canonical(fs::absolute(gamePath, ec), ec);
    if (ec) folder = fs::absolute(gamePath, ec).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();
    return folder;
}

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

void writeHolder(int descriptor, const fs::path& folder, const std::string& holder) {
    const std::string text = holder + "\n" + folder.string() + "\n";
    // Only a note for whoever waits: a failure to write it is no failure to lock.
    if (::ftruncate(descriptor, 0) == 0 && ::pwrite(descriptor, text.data(), text.size(), 0) < 0) return;
}

}  // namespace

fs::path InstallationLock::LockFile(const fs::path& gamePath) {
    const fs::path folder = canonicalFolder(gamePath);
    std::string name;
    for (char c : folder.filename().string()) {
        if (name.size() == kNameLength) break;
        name += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    }
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(folder.string())));
    return ApplicationFolder() / "Locks" / (name + "-" + hash + ".lock");
}

std::string InstallationLock::ThisProcess(const std::string& program) {
    return program + ", process " + std::to_string(::getpid());
}

std::optional<InstallationLock> InstallationLock::TryTake(const fs::path& gamePath, const std::string& holder) {
    const fs::path file = LockFile(gamePath);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec) throw std::runtime_error("Cannot create the folder " + file.parent_path().string() + ": " + ec.message());
    std::optional<ProcessLock> lock = ProcessLock::TryTake(file, ProcessLock::Open::CreateFile);
    if (!lock) return std::nullopt;
    writeHolder(lock->descriptor(), canonicalFolder(gamePath), holder);
    return InstallationLock(std::move(*lock));
}

std::optional<InstallationLock> InstallationLock::Take(const fs::path& gamePath, const std::string& holder,
                                                       std::chrono::milliseconds patience) {
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (std::optional<InstallationLock> lock = TryTake(gamePath, holder)) return lock;
        if (std::chrono::steady_clock::now() >= giveUp) return std::nullopt;
        std::this_thread::sleep_for(kRetryEvery);
    }
}

std::string InstallationLock::Holder(const fs::path& gamePath) {
    try {
        const std::string text = ReadTextFile(LockFile(gamePath));
        return text.substr(0, text.find('\n'));
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace corvane
