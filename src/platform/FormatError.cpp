#include "platform/FormatError.h"

namespace corvane {

namespace {
std::string describe(const std::string& file, std::uint64_t offset, const std::string& what) {
    std::string text = file.empty() ? std::string("data") : file;
    text += " at offset " + std::to_string(offset) + ": " + what;
    return text;
}
}  // namespace

FormatError::FormatError(std::string file, std::uint64_t offset, const std::string& what)
    : std::runtime_error(describe(file, offset, what)), file_(std::move(file)), offset_(offset) {}

}  // namespace corvane
