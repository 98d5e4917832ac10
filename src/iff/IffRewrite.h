#pragma once

#include "iff/IffContainer.h"

#include <functional>
#include <optional>

namespace corvane {

// What a rewrite does with one chunk of the old file.
struct ChunkDecision {
    enum class Action { Copy, Replace, Drop } action = Action::Copy;
    std::vector<std::uint8_t> replacement;  // a whole chunk, with Replace

    static ChunkDecision copy() { return {}; }
    static ChunkDecision drop() { return {Action::Drop, {}}; }
    static ChunkDecision replace(std::vector<std::uint8_t> chunk) { return {Action::Replace, std::move(chunk)}; }
};

// Rewrites an IFF file chunk by chunk: its 64 header bytes, then each chunk
// of `list` copied, replaced or left out as `decide` says, then a fresh
// resource map. Filler ("XXXX") and map chunks are always left out; with
// `dropAnyMap`, so is any type containing "rsm" (character files).
// `afterChunks`, when given, supplies chunks to add after the last one.
std::vector<std::uint8_t> RewriteIff(std::span<const std::uint8_t> old, const ChunkList& list,
                                     const std::function<ChunkDecision(const Section&)>& decide, bool dropAnyMap,
                                     const std::function<std::vector<std::uint8_t>()>& afterChunks = {});

}  // namespace corvane
