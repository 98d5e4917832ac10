#include "platform/BmpRleDecoder.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace corvane::bmp {

namespace {

// RLE8 and RLE4: pairs (count, value) paint `count` pixels; count 0 escapes:
// 0 ends the line, 1 ends the bitmap, 2 moves by (dx, dy), n ≥ 3 is an
// absolute run of n indices padded to a 16-bit word. Pixels the stream skips
// keep index 0. A run that would leave its row or the image is an error.
class RleDecoder {
public:
    RleDecoder(ByteReader stream, const BmpLayout& layout)
        : stream_(std::move(stream)),
          layout_(layout),
          indices_(static_cast<std::size_t>(layout.width) * static_cast<std::size_t>(layout.rows()), 0) {}

    std::vector<std::uint8_t> decode() {
        // The stream may end without its end-of-bitmap mark.
        while (stream_.remaining() >= 2) {
            const std::uint64_t runOffset = stream_.absoluteOffset();
            const std::uint8_t count = stream_.u8();
            const std::uint8_t value = stream_.u8();
            if (count > 0) {
                paintEncodedRun(runOffset, count, value);
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                move(runOffset);
            } else {
                paintAbsoluteRun(runOffset, value);
            }
        }
        return std::move(indices_);
    }

private:
    bool fourBit() const { return layout_.compression == kRle4; }

    void requireRoom(std::uint64_t offset, int count) const {
        if (y_ >= layout_.rows() || x_ + count > layout_.width) {
            failAt(stream_, offset,
                   "RLE run of " + text(count) + " pixels at (" + text(x_) + ", " + text(y_) + ") leaves the " +
                       text(layout_.width) + " x " + text(layout_.rows()) + " image");
        }
    }

    void paint(std::uint8_t index) { indices_[layout_.pixelIndex(y_, x_++)] = index; }

    void paintEncodedRun(std::uint64_t offset, int count, std::uint8_t value) {
        requireRoom(offset, count);
        for (int i = 0; i < count; ++i) {
            paint(fourBit() ? nibble(value, i) : value);
        }
    }

    void paintAbsoluteRun(std::uint64_t offset, int count) {
        requireRoom(offset, count);
        const std::size_t byteCount = fourBit() ? static_cast<std::size_t>(count + 1) / 2 : static_cast<std::size_t>(count);
        auto data = stream_.bytes(byteCount);
        for (int i = 0; i < count; ++i) {
            auto byte = std::to_integer<std::uint8_t>(data[fourBit() ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i)]);
            paint(fourBit() ? nibble(byte, i) : byte);
        }
        if (byteCount % 2 == 1 && !stream_.atEnd()) {
            stream_.skip(1);
        }
    }

    void move(std::uint64_t offset) {
        x_ += stream_.u8();
        y_ += stream_.u8();
        if (x_ > layout_.width || y_ > layout_.rows()) {
            failAt(stream_, offset,
                   "RLE move to (" + text(x_) + ", " + text(y_) + ") leaves the " + text(layout_.width) + " x " +
                       text(layout_.rows()) + " image");
        }
    }

    static std::uint8_t nibble(std::uint8_t byte, int position) {
        return static_cast<std::uint8_t>(position % 2 == 0 ? byte >> 4 : byte & 0x0F);
    }

    ByteReader stream_;
    BmpLayout layout_;
    std::vector<std::uint8_t> indices_;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;  // stored row: counted from the bottom unless top-down
};

}  // namespace

std::vector<std::uint8_t> decodeRunLengthIndices(ByteReader& reader, const BmpLayout& layout) {
    const std::size_t available = reader.size() - layout.pixelOffset;
    const std::size_t length = layout.imageSize != 0 ? std::min<std::size_t>(layout.imageSize, available) : available;
    reader.seek(layout.pixelOffset);
    return RleDecoder(reader.sub(length), layout).decode();
}

}  // namespace corvane::bmp
