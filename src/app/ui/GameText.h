#pragma once

#include <QString>

#include <string>

namespace corvane {

// A text of the game's files (bytes in the game's code page) for the screen.
QString GameText(const std::string& bytes);

}  // namespace corvane
