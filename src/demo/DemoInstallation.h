#pragma once

#include <filesystem>

namespace corvane {

// What the demo characters' files show of them: the placeholder pictures, or
// pictures drawn of them with OpenGL without a display. The placeholders stay
// when no such context can be made, also when the calling thread has another
// kind of context current (a Qt process releases its own with doneCurrent()
// first). Drawing keeps the graphics driver loaded for the rest of the
// process, which a program that draws nothing else does without.
enum class DemoPortraits { Placeholder, Drawn };

// The demo installation of the "/demo" switch: a synthetic game, written by
// the GameBuilder below `folder` when it is not there yet. Returns the game's
// folder. Its registry values live in their own store inside `folder`, so the
// demo never touches the user's settings or Wine prefix.
std::filesystem::path EnsureDemoInstallation(const std::filesystem::path& folder,
                                             DemoPortraits portraits = DemoPortraits::Placeholder);

}  // namespace corvane
