#include "iff/IffContainer.h"

#include "platform/AsciiText.h"
#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/FormatError.h"
#include "platform/LittleEndian.h"

#include <algorithm>

namespace corvane {

namespace {

std::string cutAtZeroPair(const std::string& label) {
    auto pair = label.find(std::string("\0\0", 2));
    return pair == std::string::npos ? label : label.substr(0, pair);
}

bool isFiller(std::span<const std::byte> tail) {
    return std::all_of(tail.begin(), tail.end(), [](std::byte b) { return b == std::byte{0xA3}; }) ||
           std::all_of(tail.begin(), tail.end(), [](std::byte b) { return b == std::byte{0}; });
}

// The label as the map stores it: without leading and trailing blanks and control characters.
std::string mapLabel(const std::string& label) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    auto first = std::find_if_not(label.begin(), label.end(), isBlank);
    auto last = std::find_if_not(label.rbegin(), label.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

// A reader placed at `position`; FormatError naming it when it lies past the end.
ByteReader readerAt(std::span<const std::uint8_t> file, std::size_t position) {
    if (position > file.size()) {
        throw FormatError({}, position, "past the end of the file (" + std::to_string(file.size()) + " bytes)");
    }
    ByteReader reader(file, {});
    reader.seek(position);
    return reader;
}

}  // namespace

void PutBigEndian32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    ByteWriter writer(out, {});
    writer.seek(at);
    writer.u32be(value);
}

std::int32_t ReadBigEndian(std::span<const std::uint8_t> file, std::size_t position, int count) {
    ByteReader reader = readerAt(file, position);
    return count == 2 ? reader.u16be() : static_cast<std::int32_t>(reader.u32be());
}

std::string ReadChunkLabel(std::span<const std::uint8_t> file, std::size_t position) {
    return readerAt(file, position).chars(kChunkLabelSize);
}

ChunkList ReadChunkList(std::span<const std::uint8_t> file, std::string_view stopType, const std::string& fileName) {
    ChunkList list;
    const std::string sizeText = std::to_string(file.size()) + " bytes";
    auto damaged = [&](std::uint64_t offset, const std::string& what) {
        list.damaged = true;
        list.damageOffset = offset;
        list.damage = (fileName.empty() ? std::string() : fileName + ": ") + what;
        return list;
    };
    if (file.size() < kIffHeaderSize) {
        return damaged(0, "the file holds " + sizeText + ", fewer than its 64-byte header");
    }
    ByteReader reader(file, fileName);
    reader.seek(kIffHeaderSize);
    while (!reader.atEnd()) {
        const std::uint64_t at = reader.position();
        if (reader.remaining() < kChunkHeaderSize) {
            // The game fills unused space with 0xA3 (or zero) bytes; a tail of
            // only such filler is no damage, and a rewrite has no need of it.
            if (isFiller(std::as_bytes(file.subspan(static_cast<std::size_t>(at))))) break;
            return damaged(at, std::to_string(reader.remaining()) + " bytes at offset " + std::to_string(at) +
                                   " after the last chunk are not a whole chunk (file of " + sizeText + ")");
        }
        ByteReader header = reader.sub(kChunkHeaderSize);
        Section section;
        section.ChunkType = header.chars(4);
        section.ChunkOffset = static_cast<std::int32_t>(at);
        section.ChunkSize = header.i32be();
        section.ChunkID = header.u16be();
        section.ChunkFlags = header.u16be();
        section.ChunkLabel = cutAtZeroPair(header.chars(kChunkLabelSize));
        const std::string where = "the " + EscapedBytes(section.ChunkType) + " chunk at offset " + std::to_string(at);
        // A size under the header would never move on, or move back.
        if (section.ChunkSize < static_cast<std::int32_t>(kChunkHeaderSize)) {
            return damaged(at, where + " claims " + std::to_string(section.ChunkSize) +
                                   " bytes, less than its 76-byte header (file of " + sizeText + ")");
        }
        const auto dataSize = static_cast<std::size_t>(section.ChunkSize) - kChunkHeaderSize;
        if (dataSize > reader.remaining()) {
            return damaged(at, where + " claims " + std::to_string(section.ChunkSize) +
                                   " bytes, past the end of the file (" + sizeText + ")");
        }
        reader.skip(dataSize);
        const bool stop = !stopType.empty() && section.ChunkType == stopType;
        list.sections.push_back(std::move(section));
        if (stop) break;
    }
    return list;
}

const Section* FindChunk(const ChunkList& list, std::string_view type) {
    for (auto it = list.sections.rbegin(); it != list.sections.rend(); ++it) {
        if (it->ChunkType == type) {
            return &*it;
        }
    }
    return nullptr;
}

std::span<const std::uint8_t> ChunkData(std::span<const std::uint8_t> file, const Section& section) {
    const auto start = std::min<std::size_t>(static_cast<std::size_t>(section.dataOffset()), file.size());
    const auto size = section.dataSize() > 0 ? static_cast<std::size_t>(section.dataSize()) : 0;
    return file.subspan(start, std::min(size, file.size() - start));
}

std::vector<std::uint8_t> MakeChunk(std::string_view type, std::uint16_t id, std::uint16_t flags,
                                    std::string_view label, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> chunk;
    chunk.reserve(kChunkHeaderSize + data.size());
    chunk.resize(kChunkHeaderSize, 0);
    std::copy_n(type.begin(), std::min<std::size_t>(4, type.size()), chunk.begin());
    PutBigEndian32(chunk, 4, static_cast<std::uint32_t>(kChunkHeaderSize + data.size()));
    chunk[8] = static_cast<std::uint8_t>(id >> 8);
    chunk[9] = static_cast<std::uint8_t>(id);
    chunk[10] = static_cast<std::uint8_t>(flags >> 8);
    chunk[11] = static_cast<std::uint8_t>(flags);
    std::copy_n(label.begin(), std::min(kChunkLabelSize, label.size()), chunk.begin() + 12);
    chunk.insert(chunk.end(), data.begin(), data.end());
    return chunk;
}

void SetChunkSize(std::vector<std::uint8_t>& chunk) {
    PutBigEndian32(chunk, 4, static_cast<std::uint32_t>(chunk.size()));
}

void WriteResourceMap(std::vector<std::uint8_t>& stream) {
    const ChunkList list = ReadChunkList(stream);
    const std::size_t mapOffset = stream.size();
    PutBigEndian32(stream, kResourceMapOffsetField, static_cast<std::uint32_t>(mapOffset));

    std::vector<std::uint8_t> header = MakeChunk("rsmp", 0, 0x10, {}, {});
    stream.insert(stream.end(), header.begin(), header.end());
    stream.insert(stream.end(), 8, 0);
    for (char c : std::string_view("pmsr")) stream.push_back(static_cast<std::uint8_t>(c));
    AppendLe(stream, 0, 4);  // patched below

    std::vector<std::string> types;
    for (const Section& section : list.sections) {
        if (std::find(types.begin(), types.end(), section.ChunkType) == types.end()) {
            types.push_back(section.ChunkType);
        }
    }
    AppendLe(stream, static_cast<std::uint32_t>(types.size()), 4);
    for (const std::string& type : types) {
        stream.insert(stream.end(), type.rbegin(), type.rend());
        const auto count = std::count_if(list.sections.begin(), list.sections.end(),
                                         [&](const Section& s) { return s.ChunkType == type; });
        AppendLe(stream, static_cast<std::uint32_t>(count), 4);
        for (const Section& section : list.sections) {
            if (section.ChunkType != type) continue;
            AppendLe(stream, static_cast<std::uint32_t>(section.ChunkOffset), 4);
            AppendLe(stream, static_cast<std::uint32_t>(section.ChunkID), 2);
            AppendLe(stream, static_cast<std::uint32_t>(section.ChunkFlags), 2);
            const std::string label = mapLabel(section.ChunkLabel);
            stream.insert(stream.end(), label.begin(), label.end());
            stream.push_back(0);
            if (label.size() % 2 == 0) {
                stream.push_back(0xA3);
            }
        }
    }
    PutBigEndian32(stream, mapOffset + 4, static_cast<std::uint32_t>(stream.size() - mapOffset));
    ByteWriter pmsrSize(stream, {});
    pmsrSize.seek(mapOffset + 88);
    pmsrSize.u32le(static_cast<std::uint32_t>(stream.size() - mapOffset - 88));
}

}  // namespace corvane
