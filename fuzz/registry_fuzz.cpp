// Feeds arbitrary text to the Wine hive reader and writer: reading any value
// and writing one back must never crash, and a write must keep the value.
#include "platform/WineRegistryFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    corvane::WineRegistryFile hive(std::string(reinterpret_cast<const char*>(data), size));
    for (const char* key : {"Software\\Maxis\\The Sims", "Software\\Wow6432Node\\Maxis\\The Sims", ""}) {
        if (!hive.hasKey(key)) {
            continue;
        }
        (void)hive.readString(key, "SIMS_DATA");
        (void)hive.readString(key, "");
        hive.writeString(key, "SIMS_LANGUAGE", "Fr\xC3\xA9nch \"\\");
        if (hive.readString(key, "SIMS_LANGUAGE") != std::string("Fr\xC3\xA9nch \"\\")) {
            __builtin_trap();
        }
    }
    return 0;
}
