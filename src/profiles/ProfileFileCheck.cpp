#include "profiles/ProfileFileCheck.h"

#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"
#include "platform/TextLines.h"

#include <charconv>
#include <optional>
#include <vector>

namespace corvane {

namespace {

constexpr int kLargestTextureSide = 1024;

std::string textureRefusal(std::string_view fileName, std::span<const std::uint8_t> bytes) {
    Bitmap bitmap;
    try {
        bitmap = DecodeBmp(bytes, std::string(fileName));
    } catch (const std::exception& error) {
        return std::string("is not a readable bitmap: ") + error.what();
    }
    if (bitmap.width < 1 || bitmap.height < 1 || bitmap.width > kLargestTextureSide ||
        bitmap.height > kLargestTextureSide) {
        return "is " + std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height) +
               " pixels, not a texture's size (1 to " + std::to_string(kLargestTextureSide) + " a side)";
    }
    return {};
}

// Walks the lines of a text skin file, each count checked against the lines left.
class LineWalk {
public:
    explicit LineWalk(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    bool line(std::string& text) {
        if (next_ >= lines_.size()) return false;
        text = Trimmed(lines_[next_++]);
        return true;
    }
    // A count whose `linesEach` lines are all there; nothing when it is not one.
    std::optional<std::size_t> count(std::size_t linesEach) {
        std::string text;
        if (!line(text)) return std::nullopt;
        std::size_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
        if (value > (lines_.size() - next_) / linesEach) return std::nullopt;
        return value;
    }
    void skip(std::size_t lines) { next_ += lines; }
    std::size_t lineNumber() const { return next_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

std::string atLine(const LineWalk& walk, const std::string& what) {
    return "is not a text " + what + " (line " + std::to_string(walk.lineNumber()) + ")";
}

std::string characterFileRefusal(std::span<const std::uint8_t> bytes) {
    LineWalk walk(SplitTextLines(bytes));
    std::string text;
    walk.line(text);  // the comment
    if (!walk.line(text) || ToLowerAscii(text) != "version 300") return atLine(walk, "character file: no \"version 300\"");
    const std::optional<std::size_t> skeletons = walk.count(1);
    if (skeletons != 0u) return atLine(walk, "character file: a suit file holds no skeleton");
    const std::optional<std::size_t> suits = walk.count(4);
    if (!suits) return atLine(walk, "character file: its suits are not all there");
    if (*suits == 0) return atLine(walk, "character file: no suit");
    for (std::size_t suit = 0; suit < *suits; ++suit) {
        walk.skip(3);  // name, type, 0
        const std::optional<std::size_t> skins = walk.count(4);
        if (!skins) return atLine(walk, "character file: a suit's meshes are not all there");
        walk.skip(*skins * 4);
    }
    return {};
}

std::string meshRefusal(std::span<const std::uint8_t> bytes) {
    LineWalk walk(SplitTextLines(bytes));
    std::string text;
    if (!walk.line(text) || !walk.line(text)) return atLine(walk, "mesh: no name and texture");
    std::size_t drawn = 0;
    std::size_t blends = 0;
    // Bones, faces, bindings, texture coordinates, blends, vertices: one line each.
    for (int part = 0; part < 6; ++part) {
        const std::optional<std::size_t> records = walk.count(1);
        if (!records) return atLine(walk, "mesh: a count whose lines are not all there");
        if (part == 3) drawn = *records;
        if (part == 4) blends = *records;
        if (part == 5 && *records != drawn + blends) {
            return atLine(walk, "mesh: its vertices are not its texture coordinates and blends together");
        }
        walk.skip(*records);
    }
    return {};
}

}  // namespace

std::string ProfileFileContentRefusal(std::string_view fileName, std::span<const std::uint8_t> bytes) {
    const std::string name = ToLowerAscii(fileName);
    if (name.ends_with(".bmp")) return textureRefusal(fileName, bytes);
    if (name.ends_with(".cmx")) return characterFileRefusal(bytes);
    if (name.ends_with(".skn")) return meshRefusal(bytes);
    return {};
}

}  // namespace corvane
