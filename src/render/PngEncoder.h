#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <vector>

namespace corvane {

// The picture as a 24-bit PNG file, for rendered pictures handed to other programs.
std::vector<std::uint8_t> EncodePng(const Bitmap& picture);

}  // namespace corvane
