#include "neighbourhoods/AutoBackup.h"

#include "platform/AppFolder.h"
#include "platform/AtomicFile.h"
#include "platform/DurableWrite.h"

#include <algorithm>
#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {

namespace fs = std::filesystem;

namespace {

// A run folder's name starts with its time stamp ("2026-12-10_03-45-12").
constexpr std::string_view kTimeStampShape = "0000-00-00_00-00-00";  // 0: any digit

// One file has one identity however its path was spelt ("a/../b", links).
fs::path identity(const fs::path& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(path, error);
    return error ? fs::absolute(path).lexically_normal() : resolved;
}

std::string runFolderName(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char name[32];
    std::strftime(name, sizeof name, "%Y-%m-%d_%H-%M-%S", &local);
    return name;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "2026-12-10_03-45-12", optionally followed by "-2", "-3", ...
bool isRunFolderName(std::string_view name) {
    if (name.size() < kTimeStampShape.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kTimeStampShape.size(); ++i) {
        if (kTimeStampShape[i] == '0' ? !isDigit(name[i]) : name[i] != kTimeStampShape[i]) {
            return false;
        }
    }
    const std::string_view suffix = name.substr(kTimeStampShape.size());
    return suffix.empty() || (suffix.size() >= 2 && suffix[0] == '-' && suffix[1] != '0' &&
                              std::all_of(suffix.begin() + 1, suffix.end(), isDigit));
}

// Oldest first: by time stamp, then "-2" before "-10" within one second.
auto runOrder(const std::string& name) {
    std::string suffix = name.substr(kTimeStampShape.size());
    return std::make_tuple(name.substr(0, kTimeStampShape.size()), suffix.size(), suffix);
}

// Another run (another process, or one in the same second) may hold the name
// already: creating the folder is what claims it.
fs::path makeRunFolder(const fs::path& root, std::chrono::system_clock::time_point when) {
    fs::create_directories(root);
    const std::string base = runFolderName(when);
    for (int number = 1;; ++number) {
        fs::path candidate = root / (number == 1 ? base : base + "-" + std::to_string(number));
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            return candidate;
        }
        if (!fs::exists(candidate)) {
            throw fs::filesystem_error("cannot make the backup folder", candidate, error);
        }
    }
}

// Only run folders are ever removed; whatever else the player keeps there
// stays. The current run is never removed, even when the clock went back.
void removeOldRuns(const fs::path& root, const fs::path& currentRun) {
    std::vector<std::string> others;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root, error)) {
        std::string name = entry.path().filename().string();
        if (entry.symlink_status(error).type() == fs::file_type::directory && isRunFolderName(name) &&
            entry.path() != currentRun) {
            others.push_back(std::move(name));
        }
    }
    const std::size_t othersKept = AutoBackup::kRunsKept - 1;
    if (others.size() <= othersKept) {
        return;
    }
    std::sort(others.begin(), others.end(),
              [](const std::string& a, const std::string& b) { return runOrder(a) < runOrder(b); });
    for (std::size_t i = 0; i < others.size() - othersKept; ++i) {
        fs::remove_all(root / others[i], error);  // a folder that will not go is no reason to refuse a save
    }
}

// Two files outside the game folder may share a file name.
fs::path unusedPath(const fs::path& wanted) {
    fs::path candidate = wanted;
    for (int number = 2; fs::exists(candidate); ++number) {
        candidate = wanted.parent_path() /
                    (wanted.stem().string() + "-" + std::to_string(number) + wanted.extension().string());
    }
    return candidate;
}

}  // namespace

AutoBackup::AutoBackup(fs::path root, fs::path gameFolder, Clock now)
    : root_(std::move(root)), gameFolder_(std::move(gameFolder)), now_(std::move(now)) {}

fs::path AutoBackup::copyPathFor(const fs::path& file) const {
    const fs::path relative = gameFolder_.empty() ? fs::path() : file.lexically_relative(identity(gameFolder_));
    const bool inside = !relative.empty() && relative != "." && *relative.begin() != "..";
    return inside ? relative : file.filename();
}

void AutoBackup::keepOriginal(const fs::path& file) {
    const fs::path original = identity(file);
    std::error_code error;
    if (kept_.contains(original) || fs::status(original, error).type() == fs::file_type::not_found) {
        return;
    }
    try {
        if (runFolder_.empty()) {
            runFolder_ = makeRunFolder(root_, now_());
            removeOldRuns(root_, runFolder_);
        }
        const fs::path copy = unusedPath(runFolder_ / copyPathFor(original));
        fs::create_directories(copy.parent_path());
        // Written like a game file, so a half-made copy never passes for the original.
        ReplaceFileAtomically(copy, ReadTextFile(original));
    } catch (const std::exception& failure) {
        throw std::runtime_error("Cannot keep a backup copy of " + file.string() + " before writing it: " +
                                 failure.what());
    }
    kept_.insert(original);
}

void RemoveUnfinishedBackupCopies(const fs::path& root) {
    std::error_code error;
    for (const auto& run : fs::directory_iterator(root, error)) {
        if (run.symlink_status(error).type() != fs::file_type::directory || !isRunFolderName(run.path().filename().string())) {
            continue;
        }
        for (auto it = fs::recursive_directory_iterator(run.path(), error); !error && it != fs::recursive_directory_iterator();
             it.increment(error)) {
            if (it->symlink_status(error).type() == fs::file_type::regular &&
                IsSiblingTemporaryName(it->path().filename().string())) {
                DiscardTemporary(it->path());
            }
        }
    }
}

AutoBackup& EditorAutoBackup(const fs::path& gameFolder) {
    struct Store {
        fs::path root;
        fs::path gameFolder;
        std::unique_ptr<AutoBackup> backup;
    };
    static Store store;
    fs::path root = ApplicationFolder() / "AutoBackup";
    if (!store.backup || store.root != root || store.gameFolder != gameFolder) {
        store.backup = std::make_unique<AutoBackup>(root, gameFolder);
        store.root = std::move(root);
        store.gameFolder = gameFolder;
    }
    return *store.backup;
}

}  // namespace corvane
