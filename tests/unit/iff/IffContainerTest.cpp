#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "iff/StringTable.h"

#include "demo/IffFileWriter.h"
#include "platform/ByteReader.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace corvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes data(const std::string& text) {
    return {text.begin(), text.end()};
}

Bytes chunk(const std::string& type, std::uint16_t id, const std::string& label, const std::string& body = "x") {
    return MakeChunk(type, id, 0, label, data(body));
}

std::vector<std::string> typesOf(const ChunkList& list) {
    std::vector<std::string> types;
    for (const Section& section : list.sections) types.push_back(section.ChunkType);
    return types;
}

// The map's type table: (reversed tag, count, labels as stored).
struct MapType {
    std::string tag;
    std::uint32_t count;
    std::vector<std::string> labels;
};

std::vector<MapType> readMap(const Bytes& file, std::size_t& mapOffset) {
    mapOffset = static_cast<std::size_t>(ReadBigEndian(file, 60, 4));
    ByteReader reader(file, "map");
    reader.seek(mapOffset + 84);
    EXPECT_EQ(reader.chars(4), "pmsr");
    EXPECT_EQ(reader.u32le(), file.size() - mapOffset - 88);
    std::vector<MapType> types(reader.u32le());
    for (MapType& type : types) {
        type.tag = reader.chars(4);
        type.count = reader.u32le();
        for (std::uint32_t i = 0; i < type.count; ++i) {
            reader.u32le();
            reader.u16le();
            reader.u16le();
            std::string label = reader.cstring();
            if (label.size() % 2 == 0) {
                EXPECT_EQ(reader.u8(), 0xA3) << "pad after an even label";
            }
            type.labels.push_back(label);
        }
    }
    EXPECT_TRUE(reader.atEnd());
    return types;
}

TEST(IffContainer, ListsChunksWithTheirHeaders) {
    Bytes file = MakeIffFile({chunk("OBJD", 128, "User00001 - Bob"), chunk("BMP_", 2004, "thumbnail", "img"),
                              chunk("CTSS", 2000, "", "names")});
    ChunkList list = ReadChunkList(file);
    EXPECT_FALSE(list.damaged);
    EXPECT_EQ(typesOf(list), (std::vector<std::string>{"OBJD", "BMP_", "CTSS", "rsmp"}));
    const Section& thumbnail = list.sections[1];
    EXPECT_EQ(thumbnail.ChunkOffset, 64 + 77);
    EXPECT_EQ(thumbnail.ChunkSize, 79);
    EXPECT_EQ(thumbnail.ChunkID, 2004);
    EXPECT_EQ(thumbnail.ChunkLabel, "thumbnail");
    EXPECT_EQ(FindChunk(list, "CTSS")->ChunkID, 2000);
    EXPECT_EQ(FindChunk(list, "NBRS"), nullptr);
    EXPECT_EQ(data("img"), Bytes(ChunkData(file, thumbnail).begin(), ChunkData(file, thumbnail).end()));
    EXPECT_EQ(typesOf(ReadChunkList(file, "BMP_")), (std::vector<std::string>{"OBJD", "BMP_"})) << "stop type";
}

TEST(IffContainer, ChunksMustTileTheFile) {
    Bytes header(64, 'H');
    EXPECT_TRUE(ReadChunkList(header).sections.empty());
    EXPECT_FALSE(ReadChunkList(header).damaged) << "a file of exactly 64 bytes holds no chunk";

    // OBJD (77 bytes) at 64, then a STR# of 106 bytes at 141 whose size field is `size`, then `tail` bytes.
    auto withSize = [&](std::uint32_t size, std::size_t tail = 0, std::uint8_t tailByte = 0x55) {
        Bytes file = header;
        Bytes first = chunk("OBJD", 1, "a");
        file.insert(file.end(), first.begin(), first.end());
        Bytes second = chunk("STR#", 2, "b", std::string(30, 'y'));
        for (int i = 0; i < 4; ++i) second[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
        file.insert(file.end(), second.begin(), second.end());
        file.insert(file.end(), tail, tailByte);
        return file;
    };
    EXPECT_FALSE(ReadChunkList(withSize(106)).damaged) << "chunks that tile the file are sound";
    EXPECT_FALSE(ReadChunkList(withSize(106, 30, 0xA3)).damaged) << "a tail of the game's filler bytes";
    EXPECT_FALSE(ReadChunkList(withSize(106, 12, 0)).damaged) << "a tail of zero bytes";

    // A type of raw bytes must not reach a terminal as they are.
    Bytes typedAsEscape = withSize(0);
    const std::uint8_t escapeType[] = {0x1B, '[', '\\', 0xFF};
    std::copy(std::begin(escapeType), std::end(escapeType), typedAsEscape.begin() + 141);
    struct Fault {
        const char* name;
        Bytes file;
        std::string damage;  // the whole text
        std::size_t listed;  // chunks listed before the fault
    };
    const Fault faults[] = {
        {"chunk_size_zero", withSize(0), "t.iff: the STR# chunk at offset 141 claims 0 bytes, less than its 76-byte header (file of 247 bytes)", 1},
        {"chunk_size_negative", withSize(0xFFFFFFF0u), "t.iff: the STR# chunk at offset 141 claims -16 bytes, less than its 76-byte header (file of 247 bytes)", 1},
        {"chunk_size_under_header", withSize(40, 66), "t.iff: the STR# chunk at offset 141 claims 40 bytes, less than its 76-byte header (file of 313 bytes)", 1},
        {"chunk_size_past_end", withSize(0x7FFFFFFF), "t.iff: the STR# chunk at offset 141 claims 2147483647 bytes, past the end of the file (247 bytes)", 1},
        {"chunk_one_byte_past_end", withSize(107), "t.iff: the STR# chunk at offset 141 claims 107 bytes, past the end of the file (247 bytes)", 1},
        {"bytes_left_after_last_chunk", withSize(106, 30), "t.iff: 30 bytes at offset 247 after the last chunk are not a whole chunk (file of 277 bytes)", 2},
        {"file_shorter_than_header", Bytes(40, 'H'), "t.iff: the file holds 40 bytes, fewer than its 64-byte header", 0},
        {"chunk_type_of_control_bytes", typedAsEscape, "t.iff: the \\x1B[\\\\\\xFF chunk at offset 141 claims 0 bytes, less than its 76-byte header (file of 247 bytes)", 1},
    };
    for (const Fault& fault : faults) {
        const ChunkList list = ReadChunkList(fault.file, {}, "t.iff");
        EXPECT_TRUE(list.damaged) << fault.name;
        EXPECT_EQ(list.damage, fault.damage) << fault.name;
        EXPECT_EQ(list.sections.size(), fault.listed) << fault.name << ": the chunks before stay listed";
        for (const Section& section : list.sections) {
            EXPECT_LE(static_cast<std::size_t>(section.ChunkOffset) + static_cast<std::size_t>(section.ChunkSize),
                      fault.file.size()) << fault.name << ": a listed chunk lies inside the file";
        }
        EXPECT_THROW(RewriteIff(fault.file, list, [](const Section&) { return ChunkDecision::copy(); }, false), FormatError)
            << fault.name << ": a damaged file is never rewritten";
    }
    EXPECT_FALSE(ReadChunkList(withSize(0x7FFFFFFF), "OBJD").damaged) << "nothing is read past the stop type";

    Bytes headerOnly = header;
    Bytes small = chunk("OBJD", 1, "a", "");
    headerOnly.insert(headerOnly.end(), small.begin(), small.end());
    EXPECT_EQ(typesOf(ReadChunkList(headerOnly)), std::vector<std::string>{"OBJD"}) << "a chunk of only its header";
    EXPECT_EQ(ReadBigEndian(withSize(0xFFFFFFF0u), 64 + 77 + 4, 4), -16);
    EXPECT_THROW(ReadBigEndian(header, 62, 4), FormatError);
}

TEST(IffContainer, LabelsAreCutAtTheFirstPairOfZeroBytes) {
    std::string spaced("a\0b\0c", 5);
    Bytes file = MakeIffFile({chunk("BMP_", 1, spaced), chunk("BMP_", 2, std::string(64, 'z'))});
    ChunkList list = ReadChunkList(file);
    EXPECT_EQ(list.sections[0].ChunkLabel, spaced) << "single zero bytes stay";
    EXPECT_EQ(list.sections[1].ChunkLabel, std::string(64, 'z'));
}

TEST(IffContainer, ResourceMapListsEveryChunkOnceByType) {
    Bytes file = MakeIffFile({chunk("BMP_", 2002, "faces"), chunk("CTSS", 2000, "  names9ch "),
                              chunk("BMP_", 2004, "thumbnail"), chunk("STR#", 200, "body8chr")});
    std::size_t mapOffset = 0;
    auto types = readMap(file, mapOffset);
    EXPECT_EQ(std::string(file.begin() + static_cast<std::ptrdiff_t>(mapOffset),
                          file.begin() + static_cast<std::ptrdiff_t>(mapOffset) + 4), "rsmp");
    EXPECT_EQ(static_cast<std::size_t>(ReadBigEndian(file, mapOffset + 4, 4)), file.size() - mapOffset);
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0].tag, "_PMB");
    EXPECT_EQ(types[0].labels, (std::vector<std::string>{"faces", "thumbnail"}));
    EXPECT_EQ(types[1].tag, "SSTC");
    EXPECT_EQ(types[1].labels, std::vector<std::string>{"names9ch"}) << "trimmed";
    EXPECT_EQ(types[2].tag, "#RTS");
}

TEST(IffContainer, RewriteCopiesReplacesAndDropsChunks) {
    Bytes file = MakeIffFile({chunk("OBJD", 128, "obj"), chunk("XXXX", 0, "filler"), chunk("CTSS", 2000, "old"),
                              chunk("BMP_", 2004, "thumbnail"), chunk("rsmX", 1, "odd map")});
    ChunkList list = ReadChunkList(file);
    Bytes rewritten = RewriteIff(file, list, [](const Section& section) {
        if (section.ChunkType == "CTSS") return ChunkDecision::replace(chunk("CTSS", 2000, "new", "longer names"));
        if (section.ChunkType == "BMP_") return ChunkDecision::drop();
        return ChunkDecision::copy();
    }, true);
    ChunkList after = ReadChunkList(rewritten);
    EXPECT_EQ(typesOf(after), (std::vector<std::string>{"OBJD", "CTSS", "rsmp"}));
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + 60, rewritten.begin())) << "the signature is kept";
    EXPECT_EQ(after.sections[1].ChunkLabel, "new");
    std::size_t mapOffset = 0;
    EXPECT_EQ(readMap(rewritten, mapOffset).size(), 2u);

    Bytes again = RewriteIff(rewritten, after, [](const Section&) { return ChunkDecision::copy(); }, false);
    EXPECT_EQ(again, rewritten) << "an untouched file rewrites byte for byte";
}

TEST(StringTable, ReadsBothFormatsAndWritesEmptyComments) {
    Bytes table = WriteStringTable({{1, "Bob", ""}, {3, "Robert", ""}});
    EXPECT_EQ(table, data(std::string("\xFD\xFF\x02\x00\x01" "Bob\0\0\x03" "Robert\0\0", 19)));
    auto read = ReadStringTable(table, "t");
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].language, 3);
    EXPECT_EQ(read[1].value, "Robert");

    auto plain = ReadStringTable(data(std::string("\xFE\xFF\x01\x00" "Ann\0note\0", 13)), "t");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].language, 1) << "a table without language bytes reads as language 1";
    EXPECT_EQ(plain[0].comment, "note");

    for (const std::string& broken : {std::string("\xFC\xFF\x00\x00", 4), std::string("\xFD\xFF\x05\x00\x01" "a", 6),
                                      std::string("\xFD\xFF", 2)}) {
        EXPECT_THROW(ReadStringTable(data(broken), "t"), FormatError);
    }
}

}  // namespace
}  // namespace corvane
