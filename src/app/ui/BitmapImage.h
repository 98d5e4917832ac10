#pragma once

#include "platform/Bitmap.h"

#include <QImage>

namespace corvane {

// A picture of the core as the toolkit draws it.
QImage ImageOfBitmap(const Bitmap& bitmap);

}  // namespace corvane
