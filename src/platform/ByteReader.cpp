#include "platform/ByteReader.h"

#include "platform/FormatError.h"

#include <bit>
#include <cstring>

namespace corvane {

ByteReader::ByteReader(std::span<const std::byte> data, std::string fileName, std::uint64_t baseOffset)
    : data_(data), file_(std::move(fileName)), base_(baseOffset) {}

ByteReader::ByteReader(std::span<const std::uint8_t> data, std::string fileName, std::uint64_t baseOffset)
    : ByteReader(std::as_bytes(data), std::move(fileName), baseOffset) {}

void ByteReader::fail(const std::string& what) const {
    throw FormatError(file_, absoluteOffset(), what);
}

void ByteReader::require(std::size_t count) const {
    if (count > remaining()) {
        fail("needs " + std::to_string(count) + " bytes, only " + std::to_string(remaining()) + " left");
    }
}

void ByteReader::requireElements(std::uint64_t count, std::size_t elementSize) const {
    if (elementSize != 0 && count > remaining() / elementSize) {
        fail("count " + std::to_string(count) + " exceeds the data left");
    }
}

void ByteReader::seek(std::size_t position) {
    if (position > data_.size()) {
        fail("seek to " + std::to_string(position) + " past the end");
    }
    pos_ = position;
}

void ByteReader::skip(std::size_t count) {
    require(count);
    pos_ += count;
}

std::uint8_t ByteReader::u8() {
    require(1);
    return std::to_integer<std::uint8_t>(data_[pos_++]);
}

std::uint16_t ByteReader::u16le() {
    require(2);
    auto b = [&](std::size_t i) { return static_cast<std::uint16_t>(std::to_integer<std::uint8_t>(data_[pos_ + i])); };
    std::uint16_t v = static_cast<std::uint16_t>(b(0) | (b(1) << 8));
    pos_ += 2;
    return v;
}

std::uint16_t ByteReader::u16be() {
    std::uint16_t v = u16le();
    return static_cast<std::uint16_t>((v >> 8) | (v << 8));
}

std::uint32_t ByteReader::u32le() {
    require(4);
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(std::to_integer<std::uint8_t>(data_[pos_ + i])) << (8 * i);
    }
    pos_ += 4;
    return v;
}

std::uint32_t ByteReader::u32be() {
    std::uint32_t v = u32le();
    return ((v & 0xFFu) << 24) | ((v & 0xFF00u) << 8) | ((v >> 8) & 0xFF00u) | (v >> 24);
}

float ByteReader::f32le() {
    return std::bit_cast<float>(u32le());
}

std::span<const std::byte> ByteReader::bytes(std::size_t count) {
    require(count);
    auto out = data_.subspan(pos_, count);
    pos_ += count;
    return out;
}

std::string ByteReader::chars(std::size_t count) {
    auto raw = bytes(count);
    return std::string(reinterpret_cast<const char*>(raw.data()), raw.size());
}

std::string ByteReader::cstring() {
    const std::byte* start = data_.data() + pos_;
    const void* nul = std::memchr(start, 0, remaining());
    if (nul == nullptr) {
        fail("text without a terminating NUL");
    }
    std::size_t length = static_cast<std::size_t>(static_cast<const std::byte*>(nul) - start);
    std::string text(reinterpret_cast<const char*>(start), length);
    pos_ += length + 1;
    return text;
}

std::string ByteReader::pascalString() {
    std::size_t length = u8();
    return chars(length);
}

ByteReader ByteReader::sub(std::size_t length) {
    std::uint64_t start = absoluteOffset();
    auto part = bytes(length);
    return ByteReader(part, file_, start);
}

}  // namespace corvane
