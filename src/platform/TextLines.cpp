#include "platform/TextLines.h"

#include "platform/FileBytes.h"

namespace corvane {

std::vector<std::string> SplitTextLines(std::span<const std::uint8_t> bytes) {
    std::vector<std::string> lines;
    std::string current;
    for (std::uint8_t byte : bytes) {
        if (byte == '\n') {
            if (!current.empty() && current.back() == '\r') current.pop_back();
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current += static_cast<char>(byte);
        }
    }
    if (!current.empty()) {
        if (current.back() == '\r') current.pop_back();
        lines.push_back(std::move(current));
    }
    return lines;
}

std::vector<std::string> ReadTextFileLines(const std::filesystem::path& file) {
    return SplitTextLines(ReadFileBytes(file));
}

std::string Trimmed(const std::string& text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    std::size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

}  // namespace corvane
