#pragma once

#include "iff/IffContainer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// The open neighbourhood's neighborhood.iff, held in memory while it is open.
// Every position a Sim record keeps refers to these bytes. The searches every
// character makes over the whole file are answered from indexes built once.
class NeighborhoodImage {
public:
    explicit NeighborhoodImage(std::vector<std::uint8_t> bytes);

    std::span<const std::uint8_t> bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    // The game version at file offset 144 (16-bit little-endian); nothing for a shorter file.
    std::optional<std::uint16_t> version() const;

    // Little-endian reads; nothing past the end.
    std::optional<std::int32_t> i32(std::size_t position) const;
    std::optional<std::uint16_t> u16(std::size_t position) const;

    // The family record of the character whose object GUID is `guid`: the
    // position of the last "IMAF" before the first place (after the first
    // "IMAF") where the GUID's four bytes stand. Nothing when there is none.
    std::optional<std::size_t> familyRecordOf(const std::string& guid) const;

    // The neighbour record of a character file: the position in the NBRS
    // chunk where `fileName` (letter case ignored) stands followed by its
    // terminating zero byte. 0 when not found; `damaged` when the chunk list
    // breaks before NBRS.
    struct NeighbourSearch {
        std::size_t position = 0;
        bool damaged = false;
    };
    NeighbourSearch neighbourRecordOf(const std::string& fileName) const;

    // The chunk that holds `position`, or nullptr.
    const Section* chunkAt(std::size_t position) const;
    const ChunkList& chunks() const { return chunks_; }

private:
    void indexFamilies() const;
    void indexNeighbours() const;

    std::vector<std::uint8_t> bytes_;
    ChunkList chunks_;
    mutable std::optional<std::vector<std::size_t>> imafPositions_;
    mutable std::optional<NeighbourSearch> nbrs_;  // the NBRS chunk's offset, or damaged
    mutable std::string nbrsLower_;                // its bytes, lower-cased
    mutable std::size_t nbrsStart_ = 0;
};

}  // namespace corvane
