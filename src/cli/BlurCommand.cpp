#include "cli/BlurCommand.h"

#include "app/Settings.h"
#include "skins/CensorFiles.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace corvane::cli {

namespace {

struct BlurKind {
    std::string_view word;
    CensorKind kind;
};

constexpr std::array<BlurKind, 4> kKinds{{
    {"adult", CensorKind::Adult},
    {"child", CensorKind::Child},
    {"dog", CensorKind::Dog},
    {"cat", CensorKind::Cat},
}};

CensorKind kindNamed(const std::string& word) {
    for (const BlurKind& known : kKinds) {
        if (known.word == word) return known.kind;
    }
    throw std::invalid_argument("blur knows adult, child, dog and cat, not \"" + word + "\"");
}

bool switchedOn(const std::string& word) {
    if (word == "on") return true;
    if (word == "off") return false;
    throw std::invalid_argument("blur takes on or off, not \"" + word + "\"");
}

}  // namespace

int RunBlur(const CliArguments& args, std::ostream& out) {
    const SkinFolders folders(AppSettings().GamePath, AppSettings().ExpansionLevel);
    if (args.arguments.size() == 1) throw std::invalid_argument("blur needs on or off after " + args.arguments[0]);
    if (args.arguments.size() == 2) SetBlur(folders, kindNamed(args.arguments[0]), switchedOn(args.arguments[1]));
    for (const BlurKind& known : kKinds) {
        out << known.word << "\t" << (BlurOn(folders, known.kind) ? "on" : "off") << "\n";
    }
    return 0;
}

}  // namespace corvane::cli
