#pragma once

namespace corvane {

// The product's web address: the about page opens it, and the character
// files the editor writes name it in their comment line.
inline constexpr const char* kProductWebAddress = "https://corvane3d.github.io/";

}  // namespace corvane
