#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <string>

namespace corvane {

namespace {

// Owns one iconv descriptor.
class IconvHandle {
public:
    IconvHandle(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("no conversion from " + from + " to " + to + " on this system");
        }
    }
    ~IconvHandle() { iconv_close(cd_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    std::string convert(std::string_view input, std::string_view replacement) const {
        std::string out;
        char buffer[512];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            std::size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            // An invalid or incomplete sequence: replace one byte and go on.
            out += replacement;
            ++in;
            --inLeft;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

private:
    iconv_t cd_;
};

std::string iconvName(int codePage) {
    return "CP" + std::to_string(codePage);
}

}  // namespace

int CodePageForLanguage(int languageNumber) {
    switch (languageNumber) {
        case 15: return 932;   // Japanese
        case 16: return 1250;  // Polish
        case 17: return 950;   // Traditional Chinese
        case 18: return 936;   // Simplified Chinese
        case 19: return 874;   // Thai
        case 20: return 949;   // Korean
        default: return 1252;  // Western European languages
    }
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
    return IconvHandle("UTF-8", iconvName(codePage)).convert(bytes, "?");
}

std::string Utf8ToCodePage(std::string_view utf8, int codePage) {
    // Transliteration turns a character the code page lacks into its nearest
    // form or '?'; only bytes that are not UTF-8 at all reach the fallback.
    return IconvHandle(iconvName(codePage) + "//TRANSLIT", "UTF-8").convert(utf8, "?");
}

}  // namespace corvane
