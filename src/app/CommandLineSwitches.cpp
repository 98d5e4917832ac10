#include "app/CommandLineSwitches.h"

#include "platform/AsciiText.h"

namespace corvane {

CommandLineSwitches ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineSwitches switches;
    auto valueAfter = [&](std::size_t i) { return i + 1 < args.size() ? args[i + 1] : std::string(); };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string name = ToLowerAscii(args[i]);
        if (name == "/l") {
            switches.languages.push_back(valueAfter(i));
        } else if (name == "/backcolor") {
            switches.backColor = valueAfter(i);
        } else if (name == "/fontcolor") {
            switches.fontColor = valueAfter(i);
        } else if (name == "/3dcolor") {
            switches.previewColor = valueAfter(i);
        } else if (name == "/skinsdir") {
            switches.skinsFolders.push_back(valueAfter(i));
        } else if (name == "/colorbits") {
            switches.colorBits = valueAfter(i);
        } else if (name == "/depthbits") {
            switches.depthBits = valueAfter(i);
        } else if (name == "/skinage") {
            switches.skinAge = true;
        } else if (name == "/teens") {
            switches.teens = true;
        } else if (name == "/openglcheck") {
            ++switches.openGlChecks;
        } else if (name == "/demo") {
            switches.demo = true;
        }
    }
    return switches;
}

}  // namespace corvane
