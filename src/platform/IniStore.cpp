#include "platform/IniStore.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/RegistryTextFile.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace corvane {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trimLeft(std::string_view text) {
    return text.substr(std::min(text.size(), text.find_first_not_of(kBlanks)));
}

std::string_view trim(std::string_view text) {
    text = trimLeft(text);
    return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

// A value's leading blank is escaped, as blanks after the '=' are no part of a value.
std::string escape(std::string_view text, bool isName) {
    std::string out;
    out.reserve(text.size());
    if (!isName && !text.empty() && kBlanks.find(text.front()) != std::string_view::npos) {
        out += '\\';
    }
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '=': out += isName ? "\\=" : "="; break;
            default: out += c;
        }
    }
    return out;
}

// The character a backslash followed by `next` stands for; none for a backslash to keep.
std::optional<char> escapedCharacter(char next) {
    switch (next) {
        case 'n': return '\n';
        case 'r': return '\r';
        case '\\':
        case '=':
        case ' ':
        case '\t': return next;
        default: return std::nullopt;
    }
}

std::string unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::optional<char> escaped = text[i] == '\\' && i + 1 < text.size() ? escapedCharacter(text[i + 1]) : std::nullopt;
        if (escaped) {
            out += *escaped;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Where the name of "name=value" ends: the first '=' that is not escaped.
std::size_t nameEnd(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == '=') {
            return i;
        }
    }
    return std::string_view::npos;
}

struct Entry {
    std::string name;
    std::string_view value;  // still escaped, blanks after the '=' skipped
};

std::optional<Entry> parseEntry(std::string_view line) {
    const std::string_view content = trim(line);
    if (content.empty() || content.front() == ';' || content.front() == '#') {
        return std::nullopt;
    }
    const std::size_t equals = nameEnd(line);
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{unescape(trim(line.substr(0, equals))), trimLeft(line.substr(equals + 1))};
}

std::optional<TextSection> findSection(std::string_view text, const std::vector<TextLine>& lines,
                                       std::string_view section) {
    return FindTextSection(text, lines, [section](std::string_view header) {
        const std::size_t close = header.rfind(']');
        return close != std::string_view::npos && EqualsIgnoreCase(trim(header.substr(1, close - 1)), section);
    });
}

// The line index of the entry `name` within `section`.
std::optional<std::size_t> findEntry(std::string_view text, const std::vector<TextLine>& lines,
                                     const TextSection& section, std::string_view name) {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        std::optional<Entry> entry = parseEntry(lines[i].in(text));
        if (entry && EqualsIgnoreCase(entry->name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string readIfPresent(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::exists(file, error) ? ReadTextFile(file) : std::string();
}

std::string withValue(std::string text, std::string_view sectionName, std::string_view name, std::string_view value) {
    const std::string line = escape(name, true) + "=" + escape(value, false);
    const std::vector<TextLine> lines = SplitTextLines(text);
    const std::optional<TextSection> section = findSection(text, lines, sectionName);
    if (!section) {
        if (!text.empty()) {
            text += text.ends_with('\n') ? "\n" : "\n\n";
        }
        text += "[" + std::string(sectionName) + "]\n" + line + "\n";
        return text;
    }
    if (std::optional<std::size_t> existing = findEntry(text, lines, *section, name)) {
        ReplaceTextLines(text, lines, *existing, *existing, line);
    } else {
        InsertTextLineAfter(text, lines, section->lastContent, line);
    }
    return text;
}

}  // namespace

std::optional<std::string> IniStore::read(std::string_view section, std::string_view name) const {
    const std::string text = readIfPresent(file_);
    const std::vector<TextLine> lines = SplitTextLines(text);
    const std::optional<TextSection> found = findSection(text, lines, section);
    if (!found) {
        return std::nullopt;
    }
    const std::optional<std::size_t> line = findEntry(text, lines, *found, name);
    if (!line) {
        return std::nullopt;
    }
    return unescape(parseEntry(lines[*line].in(text))->value);
}

void IniStore::write(std::string_view section, std::string_view name, std::string_view value) {
    std::string text = withValue(readIfPresent(file_), section, name, value);
    std::error_code error;
    if (!file_.parent_path().empty()) {
        std::filesystem::create_directories(file_.parent_path(), error);
    }
    if (error) {
        throw std::runtime_error("Cannot write " + file_.string() + ": cannot create its folder: " + error.message());
    }
    ReplaceFileAtomically(file_, text);
}

}  // namespace corvane
