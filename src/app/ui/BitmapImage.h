#pragma once

#include "platform/Bitmap.h"

#include <QImage>
#include <QPixmap>

#include <optional>
#include <vector>

namespace corvane {

// The size of the pictures beside the names of a texture list.
inline constexpr int kListPictureSize = 40;

// A picture of the core as the toolkit draws it.
QImage ImageOfBitmap(const Bitmap& bitmap);

// A list's pictures: the placeholder where one could not be made, so that
// entry i always draws picture i.
std::vector<QPixmap> ListPictures(const std::vector<std::optional<Bitmap>>& made, const QPixmap& placeholder);

}  // namespace corvane
