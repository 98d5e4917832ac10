#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AtomicFile.h"

namespace corvane {

// The registry stores (a Wine prefix's system.reg, the editor's INI file) are
// text files edited in place: a change touches only its own line, and a file
// is replaced all-or-nothing so a failed write never leaves half a registry.

// One line of a text: [begin, end) is its content without the line break
// (a '\r' before the '\n' is not content); `next` is where the next line starts.
struct TextLine {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;

    std::string_view in(std::string_view text) const { return text.substr(begin, end - begin); }
};

std::vector<TextLine> SplitTextLines(std::string_view text);

// One section of a text made of "[header]" lines each followed by its entries:
// the header's line index, the last line of the section that is not blank (a
// new entry goes after it) and the first line after the section.
struct TextSection {
    std::size_t header = 0;
    std::size_t lastContent = 0;
    std::size_t end = 0;
};

// The first section whose header line `isWanted` accepts. A section ends where
// the next line starting with '[' begins.
std::optional<TextSection> FindTextSection(std::string_view text, const std::vector<TextLine>& lines,
                                           const std::function<bool(std::string_view headerLine)>& isWanted);

// Replaces the content of lines [first, last] by `line`, keeping the line break after them.
void ReplaceTextLines(std::string& text, const std::vector<TextLine>& lines, std::size_t first, std::size_t last,
                      std::string_view line);

// Inserts `line` after line `index`, with the line break the text already uses there.
void InsertTextLineAfter(std::string& text, const std::vector<TextLine>& lines, std::size_t index, std::string_view line);

}  // namespace corvane
