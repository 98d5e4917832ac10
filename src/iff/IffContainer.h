#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

/*
 IFF chunk file, as the game writes neighbourhoods and characters:

      0  60 bytes   signature and version text, copied unchanged on rewrite
     60  u32 BE     file offset of the resource map chunk
     64  chunks, one after another, each with a 76-byte header:
           0  4 chars   type ("OBJD", "CTSS", "BMP_", "STR#", "NBRS", "FAMI", "rsmp", …)
           4  i32 BE    size of the whole chunk, header included
           8  u16 BE    id
          10  u16 BE    flags
          12  64 bytes  label, zero after the text
          76  data

 The chunks tile the file: the first starts at 64, each next one where the
 previous ended, and the last ends exactly at the end of the file.
*/

inline constexpr std::size_t kIffHeaderSize = 64;
inline constexpr std::size_t kChunkHeaderSize = 76;
inline constexpr std::size_t kChunkLabelSize = 64;
inline constexpr std::size_t kResourceMapOffsetField = 60;

// One chunk of an IFF file as a reader lists it.
struct Section {
    std::string ChunkType;
    std::int32_t ChunkOffset = 0;
    std::int32_t ChunkSize = 0;
    std::int32_t ChunkID = 0;
    std::int32_t ChunkFlags = 0;
    std::string ChunkLabel;  // cut before the first pair of zero bytes

    std::int32_t dataOffset() const { return ChunkOffset + static_cast<std::int32_t>(kChunkHeaderSize); }
    std::int32_t dataSize() const { return ChunkSize - static_cast<std::int32_t>(kChunkHeaderSize); }
};

// The chunks of a file in file order. `damaged` when they do not tile the
// file: a size under the header's 76 bytes, a chunk running past the end, or
// bytes left over after the last chunk that are not a whole chunk (a tail of
// fewer than 76 bytes of the game's filler, 0xA3 or zero, is no damage); `damage`
// then says what and where ("User00001.iff: the STR# chunk at offset 3120
// claims 2147483647 bytes, past the end of the file (4009 bytes)").
struct ChunkList {
    std::vector<Section> sections;
    bool damaged = false;
    std::string damage;
    std::uint64_t damageOffset = 0;
};

// The unsigned big-endian number of `count` (2 or 4) bytes at `position`; a
// 4-byte value of 0x80000000 or more comes out negative. Throws FormatError
// past the end.
std::int32_t ReadBigEndian(std::span<const std::uint8_t> file, std::size_t position, int count);

// The 64 label bytes at `position`, zero bytes included.
std::string ReadChunkLabel(std::span<const std::uint8_t> file, std::size_t position);

// Lists the chunks from offset 64 on. Stops after a chunk of `stopType`
// (when given), at the end of the file, and at a damaged chunk, which is not
// listed: a listed chunk always lies whole inside the file. `fileName` names
// the file in the damage text.
ChunkList ReadChunkList(std::span<const std::uint8_t> file, std::string_view stopType = {},
                        const std::string& fileName = {});

// The last chunk of that type, or nullptr.
const Section* FindChunk(const ChunkList& list, std::string_view type);

// The data bytes of a listed chunk (cut at the end of the file, for a
// section that did not come from ReadChunkList).
std::span<const std::uint8_t> ChunkData(std::span<const std::uint8_t> file, const Section& section);

// A whole chunk: the 76-byte header (the full 32-bit size) and the data.
std::vector<std::uint8_t> MakeChunk(std::string_view type, std::uint16_t id, std::uint16_t flags,
                                    std::string_view label, std::span<const std::uint8_t> data);

// Writes the whole chunk's length into its size field (the full 32 bits,
// so a chunk of 64 KB or more keeps a true size).
void SetChunkSize(std::vector<std::uint8_t>& chunk);

// Overwrites 4 bytes at `at` with a big-endian value (the caller has checked they exist).
void PutBigEndian32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);

// Appends the resource map of the chunks in `stream` (listed from offset 64)
// and points the file header at it.
void WriteResourceMap(std::vector<std::uint8_t>& stream);

}  // namespace corvane
