#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace corvane {

// A message id of the language tables, written where a table of ids lives in
// code (`MessageId{5010}`), so every id the program uses can be found by scanning.
struct MessageId {
    int value;
};

// One language's string table, read from a UTF-8 `CV3D<code>.lng` file:
// one `id<TAB>text` line per message; blank lines and lines starting with '#'
// are comments. In a text, "\n" stands for a line break, "\t" for a tab and
// "\\" for a backslash, so one message stays on one line of the file.
class LanguageModule {
public:
    LanguageModule() = default;

    // Reads a table; throws std::runtime_error naming the file and line when a
    // line is not `id<TAB>text`, an id repeats, or the file cannot be read.
    static LanguageModule load(const std::filesystem::path& file);
    static LanguageModule parse(const std::string& content, const std::string& fileName);

    // The text of an id, or an empty text when the id is not in the table.
    std::string text(int id) const;
    bool contains(int id) const { return texts_.count(id) != 0; }
    bool empty() const { return texts_.empty(); }
    const std::map<int, std::string>& texts() const { return texts_; }

private:
    std::map<int, std::string> texts_;
};

// The longest text a message can have, in bytes; longer texts are cut.
inline constexpr std::size_t kMaxMessageLength = 255;

// The process-wide language module every localised text comes from. Before a
// module is installed (or when none could be loaded) every text is empty.
void SetLanguageModule(LanguageModule module);
const LanguageModule& CurrentLanguageModule();

// The localised text of a message id: at most kMaxMessageLength bytes (never
// splitting a UTF-8 character), empty for an unknown id.
std::string LangStr(int id);
inline std::string LangStr(MessageId id) { return LangStr(id.value); }

// "CV3D" + code + ".lng": the table file of a language code such as "usen".
std::string LanguageFileName(const std::string& code);

}  // namespace corvane
