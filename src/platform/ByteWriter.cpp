#include "platform/ByteWriter.h"

#include "platform/FormatError.h"

#include <algorithm>

namespace corvane {

ByteWriter::ByteWriter(std::span<std::uint8_t> data, std::string fileName, std::uint64_t baseOffset)
    : data_(data), file_(std::move(fileName)), base_(baseOffset) {}

void ByteWriter::fail(const std::string& what) const {
    throw FormatError(file_, absoluteOffset(), what);
}

void ByteWriter::require(std::size_t count) const {
    if (count > remaining()) {
        fail("writing " + std::to_string(count) + " bytes, only " + std::to_string(remaining()) + " left");
    }
}

void ByteWriter::seek(std::size_t position) {
    if (position > data_.size()) {
        fail("seek to " + std::to_string(position) + " past the end");
    }
    pos_ = position;
}

void ByteWriter::put(std::uint32_t value, std::size_t count, bool bigEndian) {
    require(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t shift = 8 * (bigEndian ? count - 1 - i : i);
        data_[pos_ + i] = static_cast<std::uint8_t>(value >> shift);
    }
    pos_ += count;
}

void ByteWriter::u8(std::uint8_t value) { put(value, 1, false); }
void ByteWriter::u16le(std::uint16_t value) { put(value, 2, false); }
void ByteWriter::u16be(std::uint16_t value) { put(value, 2, true); }
void ByteWriter::u32le(std::uint32_t value) { put(value, 4, false); }
void ByteWriter::u32be(std::uint32_t value) { put(value, 4, true); }

void ByteWriter::bytes(std::span<const std::uint8_t> values) {
    require(values.size());
    std::copy(values.begin(), values.end(), data_.begin() + static_cast<std::ptrdiff_t>(pos_));
    pos_ += values.size();
}

}  // namespace corvane
