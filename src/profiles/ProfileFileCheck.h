#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// Why an embedded skin file must not be installed, judged as the skin tools
// judge their inputs: a texture (.bmp) decodes and is no larger than the
// game's textures (1024 pixels a side); a character file (.cmx) is a text
// suit file ("version 300", its suits and their meshes all there); a mesh
// (.skn) has every bone, face, binding, coordinate, blend and vertex its
// counts announce. Empty when the file can be installed (other kinds are
// never installed, so never judged).
std::string ProfileFileContentRefusal(std::string_view fileName, std::span<const std::uint8_t> bytes);

}  // namespace corvane
