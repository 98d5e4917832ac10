#include "cli/PlainText.h"

namespace corvane::cli {

std::string PlainText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 0x0F];
        }
    }
    return out;
}

}  // namespace corvane::cli
