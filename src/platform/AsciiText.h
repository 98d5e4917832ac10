#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The game's names are bytes in an 8-bit code page: only the ASCII letters
// A-Z and a-z change case, every other byte stays as it is.
constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

// Bytes from a file made safe for a message: printable ASCII stays, a
// backslash becomes "\\" and every other byte "\xNN" (two hex digits).
std::string EscapedBytes(std::string_view bytes);

}  // namespace corvane
