#pragma once

#include <string>
#include <string_view>

namespace corvane {

// Names in the game's files are bytes in the game's 8-bit code page; the
// editor's own texts and the UI are UTF-8. The code page follows the game's
// language number (1 US English … 20 Korean).
int CodePageForLanguage(int languageNumber);

// Converts between a Windows code page and UTF-8 with iconv. A byte or
// character that has no counterpart becomes '?', so a damaged name still shows
// and never stops a load or a save.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::string Utf8ToCodePage(std::string_view utf8, int codePage);

}  // namespace corvane
