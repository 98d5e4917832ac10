#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

// The editor's command-line switches. Switch names are matched after
// lower-casing; a switch's value is the next argument (empty when none follows).
struct CommandLineSwitches {
    std::vector<std::string> languages;     // every "/l" value, in order
    std::optional<std::string> backColor;   // last "/backcolor" value
    std::optional<std::string> fontColor;   // last "/fontcolor" value
    std::optional<std::string> previewColor;  // last "/3dcolor" value
    std::vector<std::string> skinsFolders;  // every "/skinsdir" value, in order
    bool skinAge = false;                   // "/skinage"
    bool teens = false;                     // "/teens"
    std::optional<std::string> colorBits;   // "/colorbits"
    std::optional<std::string> depthBits;   // "/depthbits"
    int openGlChecks = 0;                   // how many "/openglcheck"
    bool demo = false;                      // "/demo": run on the demo installation
};

// `args` without the program name. Unknown arguments are ignored.
CommandLineSwitches ParseCommandLine(const std::vector<std::string>& args);

}  // namespace corvane
