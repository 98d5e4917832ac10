#pragma once

#include "cli/CliArguments.h"
#include "render/PreviewModelLoading.h"

#include <ostream>

namespace corvane::cli {

// `render NB FILE --out FILE.png|.jpg [--size WxH]`: the character as the
// preview shows it, drawn without a display (default 391 × 384, the large
// preview), written as PNG or JPEG (quality 95) by the file's extension.
int RunRender(const CliArguments& args, std::ostream& out);

// The everyday models of the character NB FILE of the command line, loaded
// for drawing off-screen; each model left out is named on stderr.
// GameDataError when nothing of the character can be drawn.
PreviewModelSet LoadDrawableCharacter(const CliArguments& args);

// "WxH" as two positive sizes up to 4096; std::invalid_argument otherwise.
std::pair<int, int> ParsePictureSize(const std::string& text);

}  // namespace corvane::cli
