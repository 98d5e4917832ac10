#pragma once

#include <filesystem>

namespace corvane {

// The demo installation of the "/demo" switch: a synthetic game, written by
// the GameBuilder below `folder` when it is not there yet. Returns the game's
// folder. Its registry values live in their own store inside `folder`, so the
// demo never touches the user's settings or Wine prefix.
std::filesystem::path EnsureDemoInstallation(const std::filesystem::path& folder);

}  // namespace corvane
