#pragma once

#include <string>

namespace corvane {

// The program's version as the About page and the window caption show it:
// "major.minor.release  (Build n)", two blanks before the parenthesis.
std::string GetVersionText();

}  // namespace corvane
