#include "platform/WineRegistryFile.h"

#include "platform/CaseInsensitivePath.h"
#include "platform/RegistryKeyPath.h"
#include "platform/RegistryTextFile.h"
#include "platform/WineRegistryFileEscapes.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <vector>

namespace corvane {

namespace {

// The decoded key path of a section header line "[Software\\Maxis] 1600000000".
std::optional<std::string> sectionKeyPath(std::string_view line) {
    WineUnescaped name = UnescapeWineString(line.substr(1), ']');
    if (!name.terminated) {
        return std::nullopt;
    }
    return Utf16ToUtf8(name.units);
}

std::optional<TextSection> findSection(std::string_view text, const std::vector<TextLine>& lines, std::string_view keyPath) {
    const std::string wanted = NormalizeRegistryKeyPath(keyPath);
    return FindTextSection(text, lines, [&wanted](std::string_view header) {
        std::optional<std::string> key = sectionKeyPath(header);
        return key && EqualsIgnoreCase(NormalizeRegistryKeyPath(*key), wanted);
    });
}

struct ValueLine {
    std::string name;
    std::string_view data;  // everything after the '='
};

// `"Name"=data` or `@=data`; anything else (metadata, broken lines) is no value.
std::optional<ValueLine> parseValueLine(std::string_view line) {
    if (line.starts_with("@=")) {
        return ValueLine{"", line.substr(2)};
    }
    if (!line.starts_with('"')) {
        return std::nullopt;
    }
    WineUnescaped name = UnescapeWineString(line.substr(1), '"');
    const std::size_t equals = 1 + name.length + 1;
    if (!name.terminated || equals >= line.size() || line[equals] != '=') {
        return std::nullopt;
    }
    return ValueLine{Utf16ToUtf8(name.units), line.substr(equals + 1)};
}

// Lines [first, last] of one value; its data text is joined over continuation lines.
struct Value {
    std::size_t first = 0;
    std::size_t last = 0;
    std::string data;
};

// Only byte data (hex, dword) continues over lines; a quoted string ends on its own line.
bool continuesOnNextLine(std::string_view firstData, std::string_view line) {
    return !firstData.starts_with('"') && !firstData.starts_with("str(") && line.ends_with('\\');
}

std::optional<Value> findValue(std::string_view text, const std::vector<TextLine>& lines, const TextSection& section,
                               std::string_view valueName) {
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        std::optional<ValueLine> line = parseValueLine(lines[i].in(text));
        if (!line || !EqualsIgnoreCase(line->name, valueName)) {
            continue;
        }
        Value value{i, i, std::string(line->data)};
        while (continuesOnNextLine(line->data, lines[value.last].in(text)) && value.last + 1 < section.end) {
            value.data.pop_back();
            value.data += lines[++value.last].in(text);
        }
        return value;
    }
    return std::nullopt;
}

// The UTF-16LE units of byte data "41,00,\ 42,00" (continuation already joined).
std::u16string utf16FromHexBytes(std::string_view bytesText) {
    std::vector<unsigned char> bytes;
    for (std::size_t begin = 0; begin < bytesText.size();) {
        const std::size_t comma = std::min(bytesText.find(',', begin), bytesText.size());
        std::string_view token = bytesText.substr(begin, comma - begin);
        token.remove_prefix(std::min(token.size(), token.find_first_not_of(" \t")));
        unsigned byte = 0;
        if (std::from_chars(token.data(), token.data() + token.size(), byte, 16).ec == std::errc() && byte <= 0xFF) {
            bytes.push_back(static_cast<unsigned char>(byte));
        }
        begin = comma + 1;
    }
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    }
    return units;
}

std::u16string stringUnits(std::string_view data) {
    if (data.starts_with("str(")) {
        const std::size_t colon = data.find("):");
        data = colon == std::string_view::npos ? std::string_view() : data.substr(colon + 2);
    }
    if (data.starts_with('"')) {
        return UnescapeWineString(data.substr(1), '"').units;
    }
    if (data.starts_with("hex(1):") || data.starts_with("hex(2):")) {
        return utf16FromHexBytes(data.substr(7));
    }
    return {};
}

std::string decodeString(std::string_view data) {
    std::u16string units = stringUnits(data);
    units.resize(std::min(units.size(), units.find(u'\0')));
    return Utf16ToUtf8(units);
}

std::string valueLine(std::string_view valueName, std::string_view value) {
    std::string name = valueName.empty() ? "@" : "\"" + EscapeWineString(valueName) + "\"";
    return name + "=\"" + EscapeWineString(value) + "\"";
}

}  // namespace

WineRegistryFile WineRegistryFile::load(const std::filesystem::path& file) {
    return WineRegistryFile(ReadTextFile(file));
}

void WineRegistryFile::save(const std::filesystem::path& file) const {
    ReplaceFileAtomically(file, text_);
}

bool WineRegistryFile::hasKey(std::string_view keyPath) const {
    return findSection(text_, SplitTextLines(text_), keyPath).has_value();
}

std::optional<std::string> WineRegistryFile::readString(std::string_view keyPath, std::string_view valueName) const {
    const std::vector<TextLine> lines = SplitTextLines(text_);
    std::optional<TextSection> section = findSection(text_, lines, keyPath);
    if (!section) {
        return std::nullopt;
    }
    std::optional<Value> value = findValue(text_, lines, *section, valueName);
    if (!value) {
        return std::nullopt;
    }
    return decodeString(value->data);
}

void WineRegistryFile::writeString(std::string_view keyPath, std::string_view valueName, std::string_view value) {
    const std::vector<TextLine> lines = SplitTextLines(text_);
    std::optional<TextSection> section = findSection(text_, lines, keyPath);
    if (!section) {
        throw std::logic_error("registry key " + std::string(keyPath) + " is not in the file");
    }
    const std::string line = valueLine(valueName, value);
    if (std::optional<Value> existing = findValue(text_, lines, *section, valueName)) {
        ReplaceTextLines(text_, lines, existing->first, existing->last, line);
    } else {
        InsertTextLineAfter(text_, lines, section->lastContent, line);
    }
}

}  // namespace corvane
