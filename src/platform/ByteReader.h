#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// Bounds-checked reader over untrusted bytes. Every read names its byte order;
// an overrun throws FormatError naming the file and the absolute offset, so a
// damaged game file can never make a parser read past its data.
class ByteReader {
public:
    ByteReader(std::span<const std::byte> data, std::string fileName, std::uint64_t baseOffset = 0);
    ByteReader(std::span<const std::uint8_t> data, std::string fileName, std::uint64_t baseOffset = 0);

    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }
    std::uint64_t absoluteOffset() const { return base_ + pos_; }
    const std::string& fileName() const { return file_; }

    void seek(std::size_t position);
    void skip(std::size_t count);

    std::uint8_t u8();
    std::uint16_t u16le();
    std::uint16_t u16be();
    std::uint32_t u32le();
    std::uint32_t u32be();
    std::int16_t i16le() { return static_cast<std::int16_t>(u16le()); }
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }
    std::int32_t i32be() { return static_cast<std::int32_t>(u32be()); }
    float f32le();

    // `count` raw bytes.
    std::span<const std::byte> bytes(std::size_t count);
    // `count` bytes as a byte string (game text stays in its code page).
    std::string chars(std::size_t count);
    // Bytes up to a NUL (consumed, not returned); fails when no NUL follows.
    std::string cstring();
    // A string preceded by its length in one byte.
    std::string pascalString();

    // A reader over the next `length` bytes; this reader moves past them.
    ByteReader sub(std::size_t length);

    // Throws unless `count` elements of `elementSize` bytes can still follow:
    // call before allocating anything sized by a count read from the file.
    void requireElements(std::uint64_t count, std::size_t elementSize) const;

    [[noreturn]] void fail(const std::string& what) const;

private:
    void require(std::size_t count) const;

    std::span<const std::byte> data_;
    std::string file_;
    std::uint64_t base_;
    std::size_t pos_ = 0;
};

}  // namespace corvane
