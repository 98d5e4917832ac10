#pragma once

#include "platform/LanguageModule.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace corvane {

// An editor opened read-only (another one holds the installation's lock)
// writes nothing to the game. The refusal lives here, in the file
// operations every save, copy, move and deletion goes through, so that no
// tool can forget it.

inline constexpr MessageId kGameIsReadOnly{7307};

// A write below the read-only game folder was refused. what() is the text of
// message 7307 followed by the path.
class GameReadOnlyError : public std::runtime_error {
public:
    explicit GameReadOnlyError(const std::filesystem::path& path);
    MessageId messageId() const { return kGameIsReadOnly; }
};

// From now on every write below `gameFolder` is refused; an empty path lifts that.
void RefuseWritesBelow(const std::filesystem::path& gameFolder);

// True while writes below a game folder are refused.
bool GameIsReadOnly();

// Throws GameReadOnlyError when `path` is the read-only game folder or lies below it.
void RequireWritable(const std::filesystem::path& path);

}  // namespace corvane
