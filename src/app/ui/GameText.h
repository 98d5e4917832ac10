#pragma once

#include <QString>

#include <string>

namespace corvane {

// A text of the game's files (bytes in the game's code page) for the screen.
QString GameText(const std::string& bytes);
// What the player typed, as bytes of the game's code page for its files.
std::string GameBytes(const QString& text);

}  // namespace corvane
