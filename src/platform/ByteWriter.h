#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace corvane {

// Bounds-checked writer over bytes already in memory, for the in-place
// patches of the game's files. The counterpart of ByteReader: every write
// names its byte order, and a write that would run past the end throws
// FormatError naming the file and the absolute offset, before any byte of it
// is changed.
class ByteWriter {
public:
    ByteWriter(std::span<std::uint8_t> data, std::string fileName, std::uint64_t baseOffset = 0);

    std::size_t position() const { return pos_; }
    std::size_t size() const { return data_.size(); }
    std::size_t remaining() const { return data_.size() - pos_; }
    std::uint64_t absoluteOffset() const { return base_ + pos_; }
    const std::string& fileName() const { return file_; }

    void seek(std::size_t position);

    void u8(std::uint8_t value);
    void u16le(std::uint16_t value);
    void u16be(std::uint16_t value);
    void u32le(std::uint32_t value);
    void u32be(std::uint32_t value);
    void bytes(std::span<const std::uint8_t> values);

    [[noreturn]] void fail(const std::string& what) const;

private:
    void require(std::size_t count) const;
    void put(std::uint32_t value, std::size_t count, bool bigEndian);

    std::span<std::uint8_t> data_;
    std::string file_;
    std::uint64_t base_;
    std::size_t pos_ = 0;
};

}  // namespace corvane
