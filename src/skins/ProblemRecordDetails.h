#pragma once

#include <string>
#include <vector>

namespace corvane {

// One finding of a check or search, shown in the skin tools' problem list.
struct ProblemRecordDetails {
    std::string FileName;     // without folder
    std::string Folder;       // with a trailing separator
    std::string Description;  // shown to the user, may span lines
    std::string Kind;         // "BadName", "MissingSKN", "BmpDimensions", …
};

using ProblemList = std::vector<ProblemRecordDetails>;

}  // namespace corvane
