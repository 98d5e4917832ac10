#include "app/ui/BitmapImage.h"

namespace corvane {

QImage ImageOfBitmap(const Bitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const Rgb& c = bitmap.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) + static_cast<std::size_t>(x)];
            line[x] = qRgb(c.r, c.g, c.b);
        }
    }
    return image;
}

std::vector<QPixmap> ListPictures(const std::vector<std::optional<Bitmap>>& made, const QPixmap& placeholder) {
    std::vector<QPixmap> pictures;
    pictures.reserve(made.size());
    for (const std::optional<Bitmap>& picture : made) {
        pictures.push_back(picture ? QPixmap::fromImage(ImageOfBitmap(*picture)) : placeholder);
    }
    return pictures;
}

}  // namespace corvane
