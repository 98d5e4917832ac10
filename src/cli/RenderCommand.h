#pragma once

#include "cli/CliArguments.h"

#include <ostream>

namespace corvane::cli {

// `render NB FILE --out FILE.png|.jpg [--size WxH]`: the character as the
// preview shows it, drawn without a display (default 391 × 384, the large
// preview), written as PNG or JPEG (quality 95) by the file's extension.
int RunRender(const CliArguments& args, std::ostream& out);

// "WxH" as two positive sizes up to 4096; std::invalid_argument otherwise.
std::pair<int, int> ParsePictureSize(const std::string& text);

}  // namespace corvane::cli
