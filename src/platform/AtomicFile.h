#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane {

// Game files and the editor's own files are written all-or-nothing, so a
// failed or interrupted write never leaves half a file behind.

// The whole file; throws std::runtime_error naming the file when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& file);

// Writes a sibling temporary file, flushes it to disk and renames it over
// `file` (through a symbolic link to the file it names). The permissions of an
// existing file are kept. On failure the old file is untouched, the temporary
// file removed, and std::runtime_error names the file.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content);

}  // namespace corvane
