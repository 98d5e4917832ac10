#include "platform/FileStamp.h"

#include <system_error>

namespace corvane {

std::optional<FileStamp> StampOf(const std::filesystem::path& file) {
    std::error_code ec;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(file, ec);
    if (ec) return std::nullopt;
    stamp.modified = std::filesystem::last_write_time(file, ec);
    if (ec) return std::nullopt;
    return stamp;
}

}  // namespace corvane
