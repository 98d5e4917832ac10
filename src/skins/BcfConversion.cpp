#include "skins/BcfConversion.h"

#include "platform/ByteReader.h"
#include "skins/SkinNumberFormat.h"

#include <ctime>

namespace corvane {

namespace {

constexpr std::size_t kSuitSkeletonCount = 3;
constexpr std::size_t kSuitCount = 4;
constexpr std::size_t kSuitName = 8;
constexpr std::size_t kSkeletonKind = 4;

// The first non-zero byte from here on, 0 when the data ends first.
std::uint8_t firstNonZero(ByteReader& reader) {
    while (!reader.atEnd()) {
        if (std::uint8_t value = reader.u8(); value != 0) {
            return value;
        }
    }
    return 0;
}

std::string vectorLine(ByteReader& reader, int count) {
    float values[4] = {};
    for (int i = 0; i < count; ++i) {
        values[i] = reader.f32le();
    }
    return FormatVectorLine(values, count);
}

void appendIntegers(ByteReader& reader, int count, std::vector<std::string>& lines) {
    for (int i = 0; i < count; ++i) {
        lines.push_back(std::to_string(reader.i32le()));
    }
}

void appendOrdinaryBone(ByteReader& reader, std::vector<std::string>& lines) {
    lines.push_back(reader.pascalString());
    lines.push_back(reader.pascalString());
    lines.push_back(FormatGeneralReal(reader.f32le()));
    lines.push_back(vectorLine(reader, 3));
    lines.push_back(vectorLine(reader, 4));
    appendIntegers(reader, 4, lines);
    lines.push_back(FormatTwoDecimals(reader.f32le()));
}

void appendPropertyBone(ByteReader& reader, std::vector<std::string>& lines) {
    lines.push_back(reader.pascalString());
    lines.push_back(reader.pascalString());
    appendIntegers(reader, 2, lines);
    lines.push_back(reader.pascalString());
    lines.push_back(reader.pascalString());
    lines.push_back(vectorLine(reader, 3));
    lines.push_back(vectorLine(reader, 4));
    appendIntegers(reader, 4, lines);
    lines.push_back(FormatTwoDecimals(reader.f32le()));
}

}  // namespace

std::string ExportedCommentLine() {
    return StampedCommentLine("Exported by Corvane");
}

std::string StampedCommentLine(std::string_view words) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);  // the shared buffer of localtime is not safe off the main thread
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    return "// " + std::string(words) + " " + stamp;
}

void AppendSuitLines(std::span<const std::uint8_t> data, const std::string& name, const std::string& comment,
                     std::vector<std::string>& lines) {
    ByteReader reader(data, name);
    lines.push_back(comment);
    lines.push_back("version 300");
    reader.seek(kSuitSkeletonCount);
    lines.push_back(std::to_string(reader.u8()));
    reader.seek(kSuitCount);
    lines.push_back(std::to_string(reader.u8()));
    reader.seek(kSuitName);
    lines.push_back(reader.pascalString());
    lines.push_back("0");
    lines.push_back("0");
    int skins = firstNonZero(reader);
    lines.push_back(std::to_string(skins));
    for (; skins > 0 && !reader.atEnd(); --skins) {
        lines.push_back(reader.chars(firstNonZero(reader)));  // bone name
        lines.push_back(reader.pascalString());                // skin name
        lines.push_back("0");
        lines.push_back("0");
    }
    lines.push_back("0");
}

void AppendSkeletonLines(std::span<const std::uint8_t> data, const std::string& name, const std::string& comment,
                         std::vector<std::string>& lines) {
    ByteReader reader(data, name);
    lines.push_back(comment);
    lines.push_back("version 300");
    lines.push_back(std::to_string(reader.u8()));
    reader.seek(kSkeletonKind);
    const std::string kind = reader.pascalString();
    lines.push_back(kind);
    const std::int32_t bones = reader.i32le();
    lines.push_back(std::to_string(bones));
    if (kind == "dog" || kind == "kat") {
        for (std::int32_t i = 0; i < bones; ++i) {
            appendOrdinaryBone(reader, lines);
        }
    } else {
        if (kind == "adult") {
            appendOrdinaryBone(reader, lines);
        }
        appendPropertyBone(reader, lines);
        if (kind == "child") {
            appendOrdinaryBone(reader, lines);
        }
        for (std::int32_t i = 2; i < bones; ++i) {
            appendOrdinaryBone(reader, lines);
        }
    }
    lines.push_back("0");
    lines.push_back("0");
}

}  // namespace corvane
