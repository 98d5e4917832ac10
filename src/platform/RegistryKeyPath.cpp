#include "platform/RegistryKeyPath.h"

namespace corvane {

std::string NormalizeRegistryKeyPath(std::string_view keyPath) {
    std::string normalized;
    normalized.reserve(keyPath.size());
    for (std::size_t i = 0; i < keyPath.size(); ++i) {
        if (keyPath[i] != '\\') {
            normalized += keyPath[i];
        } else if (!normalized.empty() && normalized.back() != '\\') {
            normalized += '\\';
        }
    }
    if (!normalized.empty() && normalized.back() == '\\') {
        normalized.pop_back();
    }
    return normalized;
}

}  // namespace corvane
