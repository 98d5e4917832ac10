#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace corvane::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;     // wrong usage: one line and a hint to --help
inline constexpr int kExitFailed = 2;    // something named is not there, a damaged file, a failed operation
inline constexpr int kExitProblems = 3;  // a check ran and found problems (validate, duplicates, missing-skins)

// The usage text --help prints.
extern const char* const kUsage;

// The whole tool: parses the command line (without the program's name), runs
// the command with its result on `out`, the texts of the tables in
// `languageFolder`, and returns the exit status.
// Everything said on stderr during the run (messages, progress, errors) goes
// to `err`; progress only when `err` is the process's stderr on a terminal,
// or with --progress.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   const std::filesystem::path& languageFolder);

}  // namespace corvane::cli
