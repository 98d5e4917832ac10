#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

// A file the editor was asked to read is not what its format says it must be.
// The message names the file (when known) and the byte offset of the fault.
class FormatError : public std::runtime_error {
public:
    FormatError(std::string file, std::uint64_t offset, const std::string& what);

    const std::string& file() const { return file_; }
    std::uint64_t offset() const { return offset_; }

private:
    std::string file_;
    std::uint64_t offset_;
};

}  // namespace corvane
