#include "iff/IffRewrite.h"

#include "platform/AsciiText.h"
#include "platform/FormatError.h"

namespace corvane {

namespace {

bool alwaysLeftOut(const Section& section, bool dropAnyMap) {
    return section.ChunkType == "XXXX" || section.ChunkType == "rsmp" ||
           (dropAnyMap && section.ChunkType.find("rsm") != std::string::npos);
}

}  // namespace

std::vector<std::uint8_t> RewriteIff(std::span<const std::uint8_t> old, const ChunkList& list,
                                     const std::function<ChunkDecision(const Section&)>& decide, bool dropAnyMap,
                                     const std::function<std::vector<std::uint8_t>()>& afterChunks) {
    if (old.size() < kIffHeaderSize) {
        throw FormatError({}, 0, "an IFF file needs its 64 header bytes");
    }
    // Chunks after a damaged one would be lost: such a file is never rewritten.
    if (list.damaged) {
        throw FormatError({}, list.damageOffset, list.damage);
    }
    std::vector<std::uint8_t> stream(old.begin(), old.begin() + kIffHeaderSize);
    for (const Section& section : list.sections) {
        if (alwaysLeftOut(section, dropAnyMap)) {
            continue;
        }
        ChunkDecision decision = decide(section);
        if (decision.action == ChunkDecision::Action::Replace) {
            stream.insert(stream.end(), decision.replacement.begin(), decision.replacement.end());
        } else if (decision.action == ChunkDecision::Action::Copy) {
            const auto from = static_cast<std::size_t>(section.ChunkOffset);
            const auto size = static_cast<std::size_t>(section.ChunkSize);
            if (from > old.size() || size > old.size() - from) {
                throw FormatError({}, from, EscapedBytes(section.ChunkType) + " chunk runs past the end of the file");
            }
            stream.insert(stream.end(), old.begin() + static_cast<std::ptrdiff_t>(from),
                          old.begin() + static_cast<std::ptrdiff_t>(from + size));
        }
    }
    if (afterChunks) {
        const std::vector<std::uint8_t> more = afterChunks();
        stream.insert(stream.end(), more.begin(), more.end());
    }
    WriteResourceMap(stream);
    return stream;
}

}  // namespace corvane
