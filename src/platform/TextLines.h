#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// The lines of a text, split at LF with a CR before it dropped (the game's
// files use CRLF, files copied through Linux tools often LF alone).
std::vector<std::string> SplitTextLines(std::span<const std::uint8_t> bytes);

// The lines of a text file; throws std::runtime_error naming it when it cannot be read.
std::vector<std::string> ReadTextFileLines(const std::filesystem::path& file);

// Text with leading and trailing blanks (and control characters) removed.
std::string Trimmed(const std::string& text);

}  // namespace corvane
