#pragma once

#include "iff/IffContainer.h"
#include "platform/ByteReader.h"

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
    // `fileName` names the file in every error about its bytes.
    explicit NeighborhoodImage(std::vector<std::uint8_t> bytes, std::string fileName = "neighborhood.iff");

    std::span<const std::uint8_t> bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }
    const std::string& fileName() const { return fileName_; }

    // The game version at file offset 144 (16-bit little-endian); nothing for a shorter file.
    static constexpr std::size_t kVersionOffset = 144;
    std::optional<std::uint16_t> version() const;

    // Little-endian reads; nothing past the end.
    std::optional<std::int32_t> i32(std::size_t position) const;
    std::optional<std::uint16_t> u16(std::size_t position) const;

    // A reader over the whole file, placed at `position` (FormatError past the end).
    ByteReader readerAt(std::size_t position) const;

    // The family record of the character whose object GUID is `guid`: the
    // position of the last "IMAF" before the first place (after the first
    // "IMAF") where the GUID's four bytes stand. Nothing when there is none.
    std::optional<std::size_t> familyRecordOf(const std::string& guid) const;

    // The neighbour record of a character file: the position in the NBRS
    // chunk where `fileName` (letter case ignored) stands followed by its
    // terminating zero byte. 0 when not found; `damaged` when the chunk list
    // breaks before NBRS, and `damage` then says where and why.
    struct NeighbourSearch {
        std::size_t position = 0;
        bool damaged = false;
        std::string damage;
    };
    NeighbourSearch neighbourRecordOf(const std::string& fileName) const;

    // The chunk that holds `position`, or nullptr.
    const Section* chunkAt(std::size_t position) const;
    const ChunkList& chunks() const { return chunks_; }

private:
    void indexFamilies() const;
    void indexNeighbours() const;

    std::vector<std::uint8_t> bytes_;
    std::string fileName_;
    ChunkList chunks_;
    mutable std::optional<std::vector<std::size_t>> imafPositions_;
    mutable std::optional<NeighbourSearch> nbrs_;  // the NBRS chunk's offset, or damaged
    mutable std::string nbrsLower_;                // its bytes, lower-cased
    mutable std::size_t nbrsStart_ = 0;
};

}  // namespace corvane
