// Feeds arbitrary bytes to the IFF readers: the chunk list, every chunk read
// as a string table, and a rewrite with a fresh resource map. Each reads the
// bytes or rejects them with FormatError, never crashes or hangs.
#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "iff/StringTable.h"
#include "platform/FormatError.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const corvane::ChunkList list = corvane::ReadChunkList(file);
    for (const corvane::Section& section : list.sections) {
        try {
            (void)corvane::ReadStringTable(corvane::ChunkData(file, section), "fuzz.iff");
        } catch (const corvane::FormatError&) {
        }
    }
    try {
        (void)corvane::RewriteIff(file, list, [](const corvane::Section&) { return corvane::ChunkDecision::copy(); },
                                  true);
    } catch (const corvane::FormatError&) {
    }
    return 0;
}
