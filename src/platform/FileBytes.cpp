#include "platform/FileBytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace corvane {

namespace {
[[noreturn]] void failToRead(const std::filesystem::path& path, int error) {
    std::string reason = error != 0 ? std::strerror(error) : "read error";
    throw std::runtime_error("cannot read " + path.string() + ": " + reason);
}
}  // namespace

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code kindError;
    if (std::filesystem::is_directory(path, kindError)) {
        failToRead(path, EISDIR);
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failToRead(path, errno);
    }
    std::vector<std::uint8_t> bytes;
    std::error_code sizeError;
    auto size = std::filesystem::file_size(path, sizeError);
    if (!sizeError) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        failToRead(path, errno);
    }
    return bytes;
}

}  // namespace corvane
