#pragma once

#include <ctime>
#include <filesystem>

namespace corvane {

// Sets a file's last-access and last-write times to now, at the 2-second
// resolution of a DOS date and time (the local seconds made even, no
// fractions): the stamp every skin file the editor writes gets. Linux keeps
// no settable creation time. False when the file is missing or the times
// cannot be set.
bool TouchFile(const std::filesystem::path& file);

// The moment `time` as a DOS date and time holds it: the local seconds made even.
std::time_t AtDosTimeResolution(std::time_t time);

}  // namespace corvane
