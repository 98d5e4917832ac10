#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The items of a data line of the game's text skin files (skeletons, meshes):
// split at commas and at runs of blanks and control characters; leading
// blanks are skipped; a double-quoted run is one item (a doubled quote inside
// stands for one quote); two commas in a row leave an empty item between them.
std::vector<std::string> SplitLineItems(std::string_view line);

// A decimal integer ("-12", "+3"): the whole text, no blanks, no exponent.
bool ParseDecimalInteger(std::string_view text, std::int32_t& value);

// A decimal real with a point before the fraction, exponent allowed
// ("-5.88894e-005"); whatever the locale. Words such as "NAN" or "INF" and
// values beyond the range of a single do not parse.
bool ParseDecimalReal(std::string_view text, float& value);

class TextLineReader;

// The items of one line, remembering where they came from so that an item
// that is missing or does not parse is reported with its file and line.
class LineItems {
public:
    LineItems(const TextLineReader& reader, std::size_t lineIndex);

    std::size_t size() const { return items_.size(); }
    std::int32_t integer(std::size_t position) const;
    float real(std::size_t position) const;

private:
    const std::string& item(std::size_t position) const;

    const TextLineReader* reader_;
    std::size_t lineIndex_;
    std::vector<std::string> items_;
};

// Random access to the lines of a text file that fails with a FormatError
// naming the file and, as its offset, the line number (counted from 0) when
// a line is missing or a number does not parse.
class TextLineReader {
public:
    TextLineReader(const std::vector<std::string>& lines, std::string fileName);

    std::size_t lineCount() const { return lines_->size(); }
    const std::string& line(std::size_t index) const;
    // The whole line, blanks around it ignored, as a decimal integer.
    std::int32_t integer(std::size_t index) const;
    LineItems items(std::size_t index) const { return LineItems(*this, index); }

    [[noreturn]] void fail(std::size_t index, const std::string& what) const;

private:
    const std::vector<std::string>* lines_;
    std::string fileName_;
};

}  // namespace corvane
