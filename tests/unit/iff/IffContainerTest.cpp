#include "iff/IffContainer.h"
#include "iff/IffRewrite.h"
#include "iff/StringTable.h"

#include "demo/IffFileWriter.h"
#include "platform/ByteReader.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

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

TEST(IffContainer, DamagedAndShortLists) {
    Bytes header(64, 'H');
    EXPECT_TRUE(ReadChunkList(header).sections.empty());

    auto withSize = [&](std::uint32_t size) {
        Bytes file = header;
        Bytes first = chunk("OBJD", 1, "a");
        file.insert(file.end(), first.begin(), first.end());
        Bytes second = chunk("STR#", 2, "b", std::string(30, 'y'));
        for (int i = 0; i < 4; ++i) second[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (24 - 8 * i));
        file.insert(file.end(), second.begin(), second.end());
        file.insert(file.end(), 100, 0);
        return file;
    };
    for (std::uint32_t size : {0u, 0xFFFFFFF0u}) {
        ChunkList list = ReadChunkList(withSize(size));
        EXPECT_TRUE(list.damaged) << size;
        EXPECT_EQ(typesOf(list), std::vector<std::string>{"OBJD"}) << "the chunks before stay listed";
    }
    ChunkList pastEnd = ReadChunkList(withSize(100000));
    EXPECT_FALSE(pastEnd.damaged);
    EXPECT_EQ(typesOf(pastEnd), (std::vector<std::string>{"OBJD", "STR#"})) << "listed, and the list ends";

    Bytes shortTail = header;
    Bytes small = chunk("OBJD", 1, "a", "");
    shortTail.insert(shortTail.end(), small.begin(), small.end());  // exactly 76 bytes: not listed
    EXPECT_TRUE(ReadChunkList(shortTail).sections.empty());
    EXPECT_EQ(ReadBigEndian(withSize(0xFFFFFFF0u), 64 + 77 + 4, 4), -16);
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
