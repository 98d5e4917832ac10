#include "platform/RegistryTextFile.h"

#include <stdexcept>

namespace corvane {

std::vector<TextLine> SplitTextLines(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t newline = text.find('\n', begin);
        std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
        std::size_t end = newline == std::string_view::npos ? text.size() : newline;
        if (end > begin && text[end - 1] == '\r') {
            --end;
        }
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

std::optional<TextSection> FindTextSection(std::string_view text, const std::vector<TextLine>& lines,
                                           const std::function<bool(std::string_view headerLine)>& isWanted) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].in(text).starts_with('[') || !isWanted(lines[i].in(text))) {
            continue;
        }
        TextSection section{i, i, i + 1};
        for (; section.end < lines.size() && !lines[section.end].in(text).starts_with('['); ++section.end) {
            if (lines[section.end].in(text).find_first_not_of(" \t") != std::string_view::npos) {
                section.lastContent = section.end;
            }
        }
        return section;
    }
    return std::nullopt;
}

void ReplaceTextLines(std::string& text, const std::vector<TextLine>& lines, std::size_t first, std::size_t last,
                      std::string_view line) {
    text.replace(lines[first].begin, lines[last].end - lines[first].begin, line);
}

void InsertTextLineAfter(std::string& text, const std::vector<TextLine>& lines, std::size_t index, std::string_view line) {
    const TextLine& before = lines[index];
    const bool crlf = std::string_view(text).substr(before.end, before.next - before.end) == "\r\n";
    text.insert(before.end, std::string(crlf ? "\r\n" : "\n").append(line));
}

}  // namespace corvane
