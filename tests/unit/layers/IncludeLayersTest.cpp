// The layers only look down. Every quoted #include of every file under src/
// is read; the including file and the included header each stand for their
// folder ("platform", "sim/ui", ...), and a pair of different folders must be
// a row of the table below. The targets link along the same lines (see the
// top CMakeLists.txt), so an include the table refuses would also be a link
// the build does not have.

#include "TestPaths.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct FolderPair {
    std::string_view from;
    std::string_view to;
};

// Allowed includes between different folders, bottom to top. A folder always
// includes its own headers. A folder missing here, as includer or included,
// is refused: a new folder needs its rows.
constexpr FolderPair kAllowedPairs[] = {
    // platform: the C++ library and the system (iconv) only.

    // formats: the IFF, FAR, CMX/BCF, SKN/BMF readers and writers.
    {"iff", "platform"},
    {"skins", "platform"},
    {"skins", "iff"},

    // records and editing: the Sim record, loading and saving, backups.
    {"sim", "platform"},
    {"sim", "iff"},
    {"sim", "skins"},
    {"sim", "neighbourhoods"},
    {"neighbourhoods", "platform"},
    {"neighbourhoods", "iff"},
    {"neighbourhoods", "skins"},
    {"neighbourhoods", "sim"},
    {"profiles", "platform"},
    {"profiles", "iff"},
    {"profiles", "skins"},
    {"profiles", "sim"},
    {"profiles", "neighbourhoods"},
    {"skintools", "platform"},
    {"skintools", "iff"},
    {"skintools", "skins"},
    {"skintools", "sim"},
    {"skintools", "neighbourhoods"},

    // rendering: the only layer that draws with OpenGL and codes JPEG and PNG.
    {"render", "platform"},
    {"render", "iff"},
    {"render", "skins"},
    {"render", "sim"},
    {"render", "neighbourhoods"},
    {"render", "profiles"},
    {"render", "skintools"},

    // program logic: start-up, installation, language, settings.
    {"app", "platform"},
    {"app", "iff"},
    {"app", "skins"},
    {"app", "sim"},
    {"app", "neighbourhoods"},
    {"app", "profiles"},
    {"app", "skintools"},
    {"app", "render"},

    // UI: every ui/ folder uses the layers below and the other ui/ folders.
    {"platform/ui", "platform"},
    {"platform/ui", "iff"},
    {"platform/ui", "skins"},
    {"platform/ui", "sim"},
    {"platform/ui", "neighbourhoods"},
    {"platform/ui", "profiles"},
    {"platform/ui", "skintools"},
    {"platform/ui", "render"},
    {"platform/ui", "app"},
    {"platform/ui", "sim/ui"},
    {"platform/ui", "render/ui"},
    {"platform/ui", "app/ui"},
    {"sim/ui", "platform"},
    {"sim/ui", "iff"},
    {"sim/ui", "skins"},
    {"sim/ui", "sim"},
    {"sim/ui", "neighbourhoods"},
    {"sim/ui", "profiles"},
    {"sim/ui", "skintools"},
    {"sim/ui", "render"},
    {"sim/ui", "app"},
    {"sim/ui", "platform/ui"},
    {"sim/ui", "render/ui"},
    {"sim/ui", "app/ui"},
    {"render/ui", "platform"},
    {"render/ui", "iff"},
    {"render/ui", "skins"},
    {"render/ui", "sim"},
    {"render/ui", "neighbourhoods"},
    {"render/ui", "profiles"},
    {"render/ui", "skintools"},
    {"render/ui", "render"},
    {"render/ui", "app"},
    {"render/ui", "platform/ui"},
    {"render/ui", "sim/ui"},
    {"render/ui", "app/ui"},
    {"app/ui", "platform"},
    {"app/ui", "iff"},
    {"app/ui", "skins"},
    {"app/ui", "sim"},
    {"app/ui", "neighbourhoods"},
    {"app/ui", "profiles"},
    {"app/ui", "skintools"},
    {"app/ui", "render"},
    {"app/ui", "app"},
    {"app/ui", "platform/ui"},
    {"app/ui", "sim/ui"},
    {"app/ui", "render/ui"},
    {"app/ui", "skins/ui"},
    {"platform/ui", "skins/ui"},
    {"sim/ui", "skins/ui"},
    {"render/ui", "skins/ui"},
    {"skins/ui", "platform"},
    {"skins/ui", "iff"},
    {"skins/ui", "skins"},
    {"skins/ui", "sim"},
    {"skins/ui", "neighbourhoods"},
    {"skins/ui", "profiles"},
    {"skins/ui", "skintools"},
    {"skins/ui", "render"},
    {"skins/ui", "app"},
    {"skins/ui", "platform/ui"},
    {"skins/ui", "sim/ui"},
    {"skins/ui", "render/ui"},
    {"skins/ui", "app/ui"},
    {"profiles/ui", "platform"},
    {"profiles/ui", "iff"},
    {"profiles/ui", "skins"},
    {"profiles/ui", "sim"},
    {"profiles/ui", "neighbourhoods"},
    {"profiles/ui", "profiles"},
    {"profiles/ui", "skintools"},
    {"profiles/ui", "render"},
    {"profiles/ui", "app"},
    {"profiles/ui", "platform/ui"},
    {"profiles/ui", "sim/ui"},
    {"profiles/ui", "render/ui"},
    {"profiles/ui", "app/ui"},
    {"profiles/ui", "skins/ui"},
    {"app/ui", "profiles/ui"},
    {"platform/ui", "profiles/ui"},
    {"sim/ui", "profiles/ui"},
    {"render/ui", "profiles/ui"},
    {"skins/ui", "profiles/ui"},
    {"neighbourhoods/ui", "platform"},
    {"neighbourhoods/ui", "iff"},
    {"neighbourhoods/ui", "skins"},
    {"neighbourhoods/ui", "sim"},
    {"neighbourhoods/ui", "neighbourhoods"},
    {"neighbourhoods/ui", "profiles"},
    {"neighbourhoods/ui", "skintools"},
    {"neighbourhoods/ui", "render"},
    {"neighbourhoods/ui", "app"},
    {"neighbourhoods/ui", "platform/ui"},
    {"neighbourhoods/ui", "sim/ui"},
    {"neighbourhoods/ui", "render/ui"},
    {"neighbourhoods/ui", "app/ui"},
    {"neighbourhoods/ui", "skins/ui"},
    {"neighbourhoods/ui", "profiles/ui"},
    {"app/ui", "neighbourhoods/ui"},
    {"platform/ui", "neighbourhoods/ui"},
    {"sim/ui", "neighbourhoods/ui"},
    {"render/ui", "neighbourhoods/ui"},
    {"skins/ui", "neighbourhoods/ui"},
    {"profiles/ui", "neighbourhoods/ui"},
    {"skintools/ui", "platform"},
    {"skintools/ui", "iff"},
    {"skintools/ui", "skins"},
    {"skintools/ui", "sim"},
    {"skintools/ui", "neighbourhoods"},
    {"skintools/ui", "profiles"},
    {"skintools/ui", "skintools"},
    {"skintools/ui", "render"},
    {"skintools/ui", "app"},
    {"skintools/ui", "platform/ui"},
    {"skintools/ui", "sim/ui"},
    {"skintools/ui", "render/ui"},
    {"skintools/ui", "app/ui"},
    {"skintools/ui", "skins/ui"},
    {"skintools/ui", "profiles/ui"},
    {"skintools/ui", "neighbourhoods/ui"},
    {"platform/ui", "skintools/ui"},
    {"sim/ui", "skintools/ui"},
    {"render/ui", "skintools/ui"},
    {"app/ui", "skintools/ui"},
    {"skins/ui", "skintools/ui"},
    {"profiles/ui", "skintools/ui"},
    {"neighbourhoods/ui", "skintools/ui"},

    // tools: the command line (no Qt) and the GameBuilder, each on top of the
    // program logic; neither uses a ui/ folder nor the other.
    {"cli", "platform"},
    {"cli", "iff"},
    {"cli", "skins"},
    {"cli", "sim"},
    {"cli", "neighbourhoods"},
    {"cli", "profiles"},
    {"cli", "skintools"},
    {"cli", "render"},
    {"cli", "app"},
    {"demo", "platform"},
    {"demo", "iff"},
    {"demo", "skins"},
    {"demo", "sim"},
    {"demo", "neighbourhoods"},
    {"demo", "profiles"},
    {"demo", "skintools"},
    {"demo", "render"},
    {"demo", "app"},
};

struct FileException {
    std::string_view file;
    std::string_view to;
};

// The editor's entry is built into the program itself, which links the UI and
// the GameBuilder: it opens the windows and, for the /demo switch, writes the
// demo installation.
constexpr FileException kFileExceptions[] = {
    {"app/main.cpp", "platform/ui"},
    {"app/main.cpp", "render/ui"},
    {"app/main.cpp", "app/ui"},
    {"app/main.cpp", "demo"},
};

// Headers the build writes next to the sources' own; they belong to the
// folder that includes them.
constexpr std::string_view kGeneratedHeaders[] = {"BuildVersion.h"};

// "sim/ui/TTraitPages.h" -> "sim/ui", "platform/Bitmap.h" -> "platform".
std::string FolderKey(std::string_view path) {
    const auto first = path.find('/');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto second = path.find('/', first + 1);
    if (second != std::string_view::npos && path.substr(first + 1, second - first - 1) == "ui") {
        return std::string(path.substr(0, second));
    }
    return std::string(path.substr(0, first));
}

bool KnownFolder(std::string_view key) {
    return std::any_of(std::begin(kAllowedPairs), std::end(kAllowedPairs),
                       [&](const FolderPair& pair) { return pair.from == key || pair.to == key; });
}

bool Allowed(std::string_view file, const std::string& from, const std::string& to) {
    if (from == to) {
        return true;
    }
    const bool row = std::any_of(std::begin(kAllowedPairs), std::end(kAllowedPairs),
                                 [&](const FolderPair& pair) { return pair.from == from && pair.to == to; });
    const bool exception =
        std::any_of(std::begin(kFileExceptions), std::end(kFileExceptions),
                    [&](const FileException& allowed) { return allowed.file == file && allowed.to == to; });
    return row || exception;
}

// The includes of one file (`file` relative to src/) the table does not
// allow, each as "file:line: from -> to (header)".
std::vector<std::string> Violations(const std::string& file, const std::string& text) {
    static const std::regex includeLine(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> found;
    const std::string from = FolderKey(file);
    if (!KnownFolder(from)) {
        return {file + ": folder " + from + " is in no row of the table"};
    }
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::smatch match;
        if (!std::regex_search(line, match, includeLine)) {
            continue;
        }
        const std::string header = match[1];
        const std::string where = file + ":" + std::to_string(number) + ": ";
        std::string to = FolderKey(header);
        if (to.empty()) {
            const bool generated = std::find(std::begin(kGeneratedHeaders), std::end(kGeneratedHeaders), header) !=
                                   std::end(kGeneratedHeaders);
            if (!generated) {
                found.push_back(where + "\"" + header + "\" names no folder");
            }
            continue;
        }
        if (!KnownFolder(to)) {
            found.push_back(where + "\"" + header + "\": folder " + to + " is in no row of the table");
        } else if (!Allowed(file, from, to)) {
            found.push_back(where + from + " -> " + to + " (\"" + header + "\")");
        }
    }
    return found;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(IncludeLayers, EveryIncludeUnderSrcIsAnAllowedPair) {
    const fs::path src = fs::path(CORVANE_SOURCE_DIR) / "src";
    std::vector<std::string> violations;
    std::set<std::string> folders;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
            continue;
        }
        const std::string relative = entry.path().lexically_relative(src).generic_string();
        folders.insert(FolderKey(relative));
        for (std::string& violation : Violations(relative, ReadText(entry.path()))) {
            violations.push_back(std::move(violation));
        }
        ++files;
    }
    EXPECT_GT(files, 100) << "the sources were not found under " << src;
    for (std::string_view folder : {"platform", "iff", "skins", "sim", "neighbourhoods", "render", "app", "app/ui",
                                    "cli", "demo"}) {
        EXPECT_TRUE(folders.count(std::string(folder))) << folder << " was not read";
    }
    std::ostringstream list;
    for (const std::string& violation : violations) {
        list << "\n  " << violation;
    }
    EXPECT_TRUE(violations.empty()) << violations.size() << " includes look up a layer or sideways:" << list.str();
}

TEST(IncludeLayers, UpwardSidewaysAndUnknownIncludesAreNamedWithFileAndLine) {
    struct Case {
        const char* file;
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"iff/IffContainer.cpp", "#include \"iff/IffContainer.h\"\n#include \"platform/ByteReader.h\"\n", {}},
        {"iff/IffContainer.cpp", "#include \"platform/ByteReader.h\"\n  #  include \"app/Settings.h\"\n",
         {"iff/IffContainer.cpp:2: iff -> app (\"app/Settings.h\")"}},
        {"iff/StringTable.h", "#include \"skins/SkinFolders.h\"\n", {"iff/StringTable.h:1: iff -> skins (\"skins/SkinFolders.h\")"}},
        {"render/SknModel.cpp", "#include \"render/ui/Tf3DUIGL.h\"\n",
         {"render/SknModel.cpp:1: render -> render/ui (\"render/ui/Tf3DUIGL.h\")"}},
        {"cli/SetCommand.cpp", "#include \"sim/ui/TTraitPages.h\"\n#include \"demo/GameBuilder.h\"\n",
         {"cli/SetCommand.cpp:1: cli -> sim/ui (\"sim/ui/TTraitPages.h\")",
          "cli/SetCommand.cpp:2: cli -> demo (\"demo/GameBuilder.h\")"}},
        {"app/GameLocator.cpp", "#include \"demo/GameBuilder.h\"\n",
         {"app/GameLocator.cpp:1: app -> demo (\"demo/GameBuilder.h\")"}},
        {"app/main.cpp", "#include \"demo/DemoInstallation.h\"\n#include \"app/ui/TfrmMain.h\"\n", {}},
        {"sim/ui/TTraitPages.cpp", "#include \"app/ui/TfrmMain.h\"\n#include \"sim/Traits.h\"\n", {}},
        {"scripting/Export.cpp", "#include \"platform/Bitmap.h\"\n",
         {"scripting/Export.cpp: folder scripting is in no row of the table"}},
        {"sim/Sim.cpp", "#include \"scripting/Profile.h\"\n#include \"Local.h\"\n// #include <x>\n",
         {"sim/Sim.cpp:1: \"scripting/Profile.h\": folder scripting is in no row of the table",
          "sim/Sim.cpp:2: \"Local.h\" names no folder"}},
        {"sim/Document.cpp", "#include \"profiles/ProfileImport.h\"\n",
         {"sim/Document.cpp:1: sim -> profiles (\"profiles/ProfileImport.h\")"}},
        {"profiles/ProfileImport.cpp", "#include \"neighbourhoods/CharacterSave.h\"\n#include \"render/SknModel.h\"\n",
         {"profiles/ProfileImport.cpp:2: profiles -> render (\"render/SknModel.h\")"}},
        {"app/VersionText.cpp", "#include \"BuildVersion.h\"\n", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Violations(c.file, c.text), c.expected) << c.file << ":\n" << c.text;
    }
}

}  // namespace
}  // namespace corvane
