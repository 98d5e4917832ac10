#include "platform/GameWriteGuard.h"

#include <algorithm>

namespace corvane {

namespace fs = std::filesystem;

namespace {

fs::path& refusedFolder() {
    static fs::path folder;
    return folder;
}

// The path as the system resolves it, links included, so no other name of a
// game folder slips through.
fs::path resolved(const fs::path& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(path, ec);
    fs::path physical = fs::weakly_canonical(absolute, ec);
    return (ec ? absolute.lexically_normal() : physical);
}

bool isWithin(const fs::path& inner, const fs::path& outer) {
    auto outerEnd = outer.end();
    if (!outer.has_filename() && outer.has_relative_path()) --outerEnd;  // "game/" is "game"
    return std::mismatch(outer.begin(), outerEnd, inner.begin(), inner.end()).first == outerEnd;
}

}  // namespace

GameReadOnlyError::GameReadOnlyError(const fs::path& path)
    : std::runtime_error(LangStr(kGameIsReadOnly) + " " + path.string()) {}

void RefuseWritesBelow(const fs::path& gameFolder) {
    refusedFolder() = gameFolder.empty() ? fs::path() : resolved(gameFolder);
}

bool GameIsReadOnly() {
    return !refusedFolder().empty();
}

void RequireWritable(const fs::path& path) {
    if (GameIsReadOnly() && isWithin(resolved(path), refusedFolder())) throw GameReadOnlyError(path);
}

}  // namespace corvane
