#pragma once

#include <string>
#include <string_view>

namespace corvane::cli {

// A text from a file, safe to print on a terminal line: control characters
// (an escape sequence could rewrite the screen, a line break would start a
// line of its own) appear as \r, \n, \t or \xNN.
std::string PlainText(std::string_view text);

}  // namespace corvane::cli
