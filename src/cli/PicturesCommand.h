#pragma once

#include "cli/CliArguments.h"

#include <ostream>
#include <string>
#include <string_view>

namespace corvane::cli {

// `pictures NB FILE --out FOLDER`: the six pictures the game keeps of a
// character, drawn without a display as the editor makes them, each written
// as an 8-bit BMP file named after its label into FOLDER (made when missing).
// One line per file: its path, a tab and its size.
int RunPictures(const CliArguments& args, std::ostream& out);

// The file a picture's label is written to: "rel. images" → "rel_images.bmp".
std::string PictureFileName(std::string_view label);

}  // namespace corvane::cli
