#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The game's skin-name grammar. `lowerName` is a file name with extension,
// lower-cased by the caller.

// True when the name follows one of the game's skin naming rules (body,
// head, clothing, hands, nude, pajama and mesh names), without the rule that
// keeps names beginning with "child" out.
bool PassesSkinNameRules(std::string_view lowerName);

// True for the names of skin files: the naming rules, less the names that
// begin with "child" (the child censor file and skeleton).
bool IsSkinFileName(std::string_view lowerName);

// Removes the printable ASCII characters that are not letters, digits, "-"
// or "_"; control characters and characters above 126 stay.
std::string StripNameChars(std::string_view text);

// Removes the characters that would break markup: " / < > [ \ ] { }.
std::string StripMarkupChars(std::string_view text);

}  // namespace corvane
