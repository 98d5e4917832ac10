#include "cli/CliArguments.h"

#include "app/LanguageTable.h"

#include <charconv>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace corvane::cli {

namespace {

std::string valueAfter(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) {
        throw std::invalid_argument(args[i] + " needs a value");
    }
    return args[++i];
}

std::string knownLanguage(const std::string& code) {
    if (!FindGameLanguage(code)) {
        throw std::invalid_argument("unknown language code " + code + " for --lang (usen, uken, fren, germ, ...)");
    }
    return code;
}

std::uint32_t seedValue(const std::string& text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw std::invalid_argument("--seed wants a whole number from 0 to 4294967295, not \"" + text + "\"");
    }
    return value;
}

char ratingValue(const std::string& text) {
    if (text.size() != 1 || std::string_view("ETMA").find(text[0]) == std::string_view::npos) {
        throw std::invalid_argument("--rating wants E, T, M or A, not \"" + text + "\"");
    }
    return text[0];
}

bool overwriteValue(const std::string& text) {
    if (text != "all" && text != "none") {
        throw std::invalid_argument("--overwrite wants all or none, not \"" + text + "\"");
    }
    return text == "all";
}

// The skin-making option `arg` fills; nullptr for other words.
std::optional<std::string> CliArguments::*skinChoiceOption(const std::string& arg) {
    static const std::pair<std::string_view, std::optional<std::string> CliArguments::*> kOptions[] = {
        {"--type", &CliArguments::skinType}, {"--gender", &CliArguments::gender},
        {"--age", &CliArguments::age},        {"--tone", &CliArguments::tone},
        {"--hand", &CliArguments::hand},      {"--hand-type", &CliArguments::handType},
        {"--series", &CliArguments::series},  {"--name", &CliArguments::skinName},
    };
    for (const auto& [word, member] : kOptions) {
        if (arg == word) return member;
    }
    return nullptr;
}

}  // namespace

CliArguments ParseCliArguments(const std::vector<std::string>& args) {
    CliArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool beforeCommand = parsed.command.empty();
        if (arg == "--help" || arg == "-h") {
            parsed.command = "help";
        } else if (arg == "--version") {
            parsed.command = "version";
        } else if (arg == "--json") {
            parsed.json = true;
        } else if (arg == "--dry-run") {
            parsed.dryRun = true;
        } else if (arg == "--quiet") {
            parsed.quiet = true;
        } else if (arg == "--progress") {
            parsed.progress = true;
        } else if (arg == "--out" || arg == "--size") {
            if (beforeCommand) throw std::invalid_argument(arg + " goes after the command");
            (arg == "--out" ? parsed.outFile : parsed.size) = valueAfter(args, i);
        } else if (arg == "--mesh" || arg == "--seed") {
            if (beforeCommand) throw std::invalid_argument(arg + " goes after the command");
            if (arg == "--mesh") {
                parsed.mesh = valueAfter(args, i);
            } else {
                parsed.seed = seedValue(valueAfter(args, i));
            }
        } else if (arg == "--rating" || arg == "--credits" || arg == "--leave-out" || arg == "--overwrite") {
            if (beforeCommand) throw std::invalid_argument(arg + " goes after the command");
            const std::string value = valueAfter(args, i);
            if (arg == "--rating") {
                parsed.rating = ratingValue(value);
            } else if (arg == "--credits") {
                parsed.credits = value;
            } else if (arg == "--leave-out") {
                parsed.leaveOut.push_back(value);
            } else {
                parsed.overwrite = overwriteValue(value);
            }
        } else if (arg == "--as" || arg == "--replace") {
            if (beforeCommand) throw std::invalid_argument(arg + " goes after the command");
            if (arg == "--as") {
                parsed.restoreAs = valueAfter(args, i);
            } else {
                parsed.replace = true;
            }
        } else if (std::optional<std::string> CliArguments::*choice = skinChoiceOption(arg)) {
            if (beforeCommand) throw std::invalid_argument(arg + " goes after the command");
            parsed.*choice = valueAfter(args, i);
        } else if (arg == "--children-formals" || arg == "--report") {
            if (beforeCommand) throw std::invalid_argument(arg + " goes after the command");
            if (arg == "--report") {
                parsed.report = valueAfter(args, i);
            } else {
                parsed.childrenFormals = true;
            }
        } else if (arg == "--game" || arg == "--lang") {
            if (!beforeCommand) throw std::invalid_argument(arg + " goes before the command");
            if (arg == "--game") {
                parsed.gameFolder = valueAfter(args, i);
            } else {
                parsed.languageCode = knownLanguage(valueAfter(args, i));
            }
        } else if (arg.size() > 1 && arg.front() == '-') {
            throw std::invalid_argument("unknown option " + arg);
        } else if (beforeCommand) {
            parsed.command = arg;
        } else {
            parsed.arguments.push_back(arg);
        }
    }
    if (parsed.command.empty()) {
        throw NoCommandError("no command given");
    }
    return parsed;
}

}  // namespace corvane::cli
