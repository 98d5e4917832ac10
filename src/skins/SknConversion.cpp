#include "skins/SknConversion.h"

#include "platform/ByteReader.h"
#include "skins/SkinNumberFormat.h"

namespace corvane {

namespace {

// A count field: its line, and the number of records that follow.
std::uint32_t countLine(ByteReader& reader, std::size_t recordBytes, std::vector<std::string>& lines) {
    const std::int32_t count = reader.i32le();
    if (count < 0) {
        reader.fail("negative count " + std::to_string(count));
    }
    reader.requireElements(static_cast<std::uint64_t>(count), recordBytes);
    lines.push_back(std::to_string(count));
    return static_cast<std::uint32_t>(count);
}

void appendIntegerRecords(ByteReader& reader, int perRecord, std::vector<std::string>& lines) {
    const std::uint32_t count = countLine(reader, 4 * static_cast<std::size_t>(perRecord), lines);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string line;
        for (int k = 0; k < perRecord; ++k) {
            line += (k == 0 ? "" : " ") + std::to_string(reader.i32le());
        }
        lines.push_back(std::move(line));
    }
}

void appendRealRecords(ByteReader& reader, int perRecord, std::vector<std::string>& lines) {
    const std::uint32_t count = countLine(reader, 4 * static_cast<std::size_t>(perRecord), lines);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string line;
        for (int k = 0; k < perRecord; ++k) {
            line += (k == 0 ? "" : " ") + FormatMeshReal(reader.f32le());
        }
        lines.push_back(std::move(line));
    }
}

// Blends are stored weight first; the text has the vertex first.
void appendBlends(ByteReader& reader, std::vector<std::string>& lines) {
    const std::uint32_t count = countLine(reader, 8, lines);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int32_t first = reader.i32le();
        const std::int32_t second = reader.i32le();
        lines.push_back(std::to_string(second) + " " + std::to_string(first));
    }
}

}  // namespace

void AppendMeshLines(std::span<const std::uint8_t> data, const std::string& name, std::vector<std::string>& lines) {
    ByteReader reader(data, name);
    lines.push_back(reader.pascalString());
    lines.push_back(reader.pascalString());
    const std::uint8_t bones = reader.u8();
    reader.skip(3);
    lines.push_back(std::to_string(bones));
    for (int i = 0; i < bones; ++i) {
        lines.push_back(reader.pascalString());
    }
    appendIntegerRecords(reader, 3, lines);  // faces
    appendIntegerRecords(reader, 5, lines);  // bindings
    appendRealRecords(reader, 2, lines);     // texture coordinates
    appendBlends(reader, lines);
    appendRealRecords(reader, 6, lines);  // vertices
}

}  // namespace corvane
