#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

// Wine keeps registry strings as UTF-16 and writes them into its hive files as
// escaped ASCII: \\ \" \a \b \t \n \v \f \r \e, octal (\0, \033) for other
// control characters, and \x with one to four hex digits for every code unit
// above U+007F (four digits when a hex digit follows, so the escape cannot run on).

struct WineUnescaped {
    std::u16string units;
    std::size_t length = 0;   // bytes of `text` taken, the terminator not included
    bool terminated = false;  // an unescaped terminator ended the string
};

// Decodes `text` up to the first unescaped `terminator` ('"' for strings, ']'
// for key names). Raw bytes above 0x7F are taken as UTF-8 (a byte that is not
// UTF-8 as the Latin-1 character of that value).
WineUnescaped UnescapeWineString(std::string_view text, char terminator);

// Escapes a UTF-8 text for a quoted name or string, the way Wine writes it.
std::string EscapeWineString(std::string_view utf8);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
// UTF-8 to UTF-16; a byte that is not UTF-8 becomes the Latin-1 character of that value.
std::u16string Utf8ToUtf16(std::string_view utf8);

}  // namespace corvane
