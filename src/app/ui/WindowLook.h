#pragma once

#include <cstdint>

class QWidget;

namespace corvane {

// Gives a window or control a background and text colour (0x00BBGGRR values)
// and the interface font at `pointSize`.
void SetWindowLook(QWidget* widget, std::uint32_t background, std::uint32_t text, int pointSize);

}  // namespace corvane
