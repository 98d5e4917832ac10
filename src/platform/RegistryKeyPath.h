#pragma once

#include <string>
#include <string_view>

namespace corvane {

// A registry key path as callers write it ("\SOFTWARE\Maxis\The Sims\") in the
// one spelling the stores compare: no leading, trailing or doubled backslashes.
// Letter case is kept; stores compare key paths ignoring ASCII case.
std::string NormalizeRegistryKeyPath(std::string_view keyPath);

}  // namespace corvane
