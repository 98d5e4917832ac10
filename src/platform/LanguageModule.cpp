#include "platform/LanguageModule.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace corvane {

namespace {

LanguageModule& installedModule() {
    static LanguageModule module;
    return module;
}

[[noreturn]] void failAt(const std::string& fileName, int line, const std::string& what) {
    throw std::runtime_error(fileName + " line " + std::to_string(line) + ": " + what);
}

std::string unescape(std::string_view raw, const std::string& fileName, int line) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) {
            failAt(fileName, line, "a backslash ends the text");
        }
        switch (raw[i]) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case '\\': out += '\\'; break;
            default: failAt(fileName, line, std::string("unknown escape \\") + raw[i]);
        }
    }
    return out;
}

// Cuts to at most `limit` bytes without leaving half a UTF-8 character.
std::string cutUtf8(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

}  // namespace

LanguageModule LanguageModule::parse(const std::string& content, const std::string& fileName) {
    LanguageModule module;
    std::istringstream in(content);
    std::string rawLine;
    int lineNumber = 0;
    while (std::getline(in, rawLine)) {
        ++lineNumber;
        std::string_view line(rawLine);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) {
            line.remove_prefix(3);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        auto tab = line.find('\t');
        if (tab == std::string_view::npos) {
            failAt(fileName, lineNumber, "expected id<TAB>text");
        }
        int id = 0;
        auto idText = line.substr(0, tab);
        auto [end, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (ec != std::errc() || end != idText.data() + idText.size() || id < 0) {
            failAt(fileName, lineNumber, "the id is not a number");
        }
        if (!module.texts_.emplace(id, unescape(line.substr(tab + 1), fileName, lineNumber)).second) {
            failAt(fileName, lineNumber, "id " + std::to_string(id) + " appears twice");
        }
    }
    return module;
}

LanguageModule LanguageModule::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read the language table " + file.string());
    }
    std::ostringstream content;
    content << in.rdbuf();
    return parse(content.str(), file.string());
}

std::string LanguageModule::text(int id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : it->second;
}

void SetLanguageModule(LanguageModule module) {
    installedModule() = std::move(module);
}

const LanguageModule& CurrentLanguageModule() {
    return installedModule();
}

std::string LangStr(int id) {
    return cutUtf8(installedModule().text(id), kMaxMessageLength);
}

std::string LanguageFileName(const std::string& code) {
    return "CV3D" + code + ".lng";
}

}  // namespace corvane
