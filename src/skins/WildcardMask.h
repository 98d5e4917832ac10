#pragma once

#include <string_view>

namespace corvane {

// A file-name mask as the game's tools write them: "*" any run of
// characters, "?" any one character, letter case ignored ("b***mafit*.cmx").
bool MatchesMask(std::string_view mask, std::string_view name);

}  // namespace corvane
