#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"
#include "platform/FormatError.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> out;
    for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

TEST(ByteReader, ReadsEachByteOrderAndText) {
    auto data = bytes({0x01, 0x02, 0x01, 0x02, 0x78, 0x56, 0x34, 0x12, 0x12, 0x34, 0x56, 0x78, 'a', 'b', 0, 2, 'x', 'y'});
    ByteReader reader(data, "t.iff");
    EXPECT_EQ(reader.u16le(), 0x0201);
    EXPECT_EQ(reader.u16be(), 0x0102);
    EXPECT_EQ(reader.u32le(), 0x12345678u);
    EXPECT_EQ(reader.u32be(), 0x12345678u);
    EXPECT_EQ(reader.cstring(), "ab");
    EXPECT_EQ(reader.pascalString(), "xy");
    EXPECT_TRUE(reader.atEnd());
}

TEST(ByteReader, OverrunNamesFileAndAbsoluteOffset) {
    auto data = bytes({0, 0, 0, 0, 0, 0, 1, 2});
    ByteReader reader(data, "chunk.iff", 100);
    reader.skip(4);
    ByteReader inner = reader.sub(3);  // offsets 104..106
    inner.u16le();
    try {
        inner.u16le();
        FAIL() << "read past the sub-range";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.file(), "chunk.iff");
        EXPECT_EQ(error.offset(), 106u);
        EXPECT_NE(std::string(error.what()).find("chunk.iff"), std::string::npos);
    }
    EXPECT_EQ(reader.position(), 7u) << "sub() moves the outer reader past its range";
}

TEST(ByteReader, RejectsBrokenInputs) {
    auto noNul = bytes({'a', 'b'});
    auto longPascal = bytes({5, 'a'});
    auto four = bytes({1, 2, 3, 4});
    EXPECT_THROW(ByteReader(noNul, "f").cstring(), FormatError);
    EXPECT_THROW(ByteReader(longPascal, "f").pascalString(), FormatError);
    EXPECT_THROW(ByteReader(four, "f").seek(5), FormatError);
    EXPECT_THROW(ByteReader(four, "f").requireElements(0x40000000, 4), FormatError);
    EXPECT_NO_THROW(ByteReader(four, "f").requireElements(1, 4));
}

TEST(ByteWriter, WritesEachByteOrderInPlace) {
    auto data = bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ByteWriter writer(data, "t.iff");
    writer.u16le(0x0201);
    writer.u16be(0x0102);
    writer.u32le(0x12345678u);
    writer.u32be(0x12345678u);
    writer.seek(12);
    writer.bytes(bytes({'a', 'b'}));
    EXPECT_EQ(data, bytes({1, 2, 1, 2, 0x78, 0x56, 0x34, 0x12, 0x12, 0x34, 0x56, 0x78, 'a', 'b'}));
    ByteReader reader(data, "t.iff");
    EXPECT_EQ(reader.u16le(), 0x0201) << "what the writer puts the reader reads back";
}

TEST(ByteWriter, RefusesOverrunsNamingFileAndOffsetAndChangesNothing) {
    struct Overrun {
        const char* what;
        std::size_t at;
        void (*write)(ByteWriter&);
    };
    const Overrun overruns[] = {
        {"u8 at the end", 6, [](ByteWriter& w) { w.u8(1); }},
        {"u16 over the last byte", 5, [](ByteWriter& w) { w.u16le(0xFFFF); }},
        {"u16be over the last byte", 5, [](ByteWriter& w) { w.u16be(0xFFFF); }},
        {"u32 over the last three bytes", 3, [](ByteWriter& w) { w.u32le(0xFFFFFFFFu); }},
        {"u32be over the last three bytes", 3, [](ByteWriter& w) { w.u32be(0xFFFFFFFFu); }},
        {"bytes over the end", 4, [](ByteWriter& w) { w.bytes(bytes({9, 9, 9})); }},
    };
    for (const Overrun& overrun : overruns) {
        auto data = bytes({0, 0, 0, 0, 0, 0});
        ByteWriter writer(data, "neighborhood.iff", 1000);
        writer.seek(overrun.at);
        try {
            overrun.write(writer);
            ADD_FAILURE() << overrun.what << ": written past the end";
        } catch (const FormatError& error) {
            EXPECT_EQ(error.file(), "neighborhood.iff") << overrun.what;
            EXPECT_EQ(error.offset(), 1000 + overrun.at) << overrun.what;
        }
        EXPECT_EQ(data, bytes({0, 0, 0, 0, 0, 0})) << overrun.what << ": no byte of a refused write is changed";
    }
    auto data = bytes({0, 0});
    EXPECT_THROW(ByteWriter(data, "f").seek(3), FormatError);
}

}  // namespace
}  // namespace corvane
