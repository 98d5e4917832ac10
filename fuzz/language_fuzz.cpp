// Feeds arbitrary bytes to the language-table reader: it reads them or
// rejects them with a message, never crashes.
#include "platform/LanguageModule.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto module = corvane::LanguageModule::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.lng");
        (void)module.text(5022);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
