#pragma once

#include <filesystem>
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

// A finding about the file at `file`: its name, and its folder with the separator.
inline ProblemRecordDetails ProblemAbout(const std::filesystem::path& file, std::string description, std::string kind) {
    std::string folder = file.parent_path().string();
    folder += std::filesystem::path::preferred_separator;
    return {file.filename().string(), std::move(folder), std::move(description), std::move(kind)};
}

}  // namespace corvane
