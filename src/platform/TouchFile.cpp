#include "platform/TouchFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <ctime>

namespace corvane {

std::time_t AtDosTimeResolution(std::time_t time) {
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return time - time % 2;
    }
    return time - local.tm_sec % 2;
}

bool TouchFile(const std::filesystem::path& file) {
    const timespec stamp{AtDosTimeResolution(std::time(nullptr)), 0};
    const std::array<timespec, 2> times{stamp, stamp};
    return ::utimensat(AT_FDCWD, file.c_str(), times.data(), 0) == 0;
}

}  // namespace corvane
