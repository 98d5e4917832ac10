#include "platform/Bitmap.h"

#include <stdexcept>
#include <string>

namespace corvane {

namespace {
std::size_t pixelCount(int width, int height) {
    if (width < 0 || height < 0) {
        throw std::invalid_argument("bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                                    " is negative");
    }
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}
}  // namespace

Bitmap::Bitmap(int width_, int height_, Rgb fill)
    : width(width_), height(height_), pixels(pixelCount(width_, height_), fill) {}

Bitmap Bitmap::fromIndices(int width, int height, std::vector<Rgb> palette, std::vector<std::uint8_t> indices) {
    if (indices.size() != pixelCount(width, height)) {
        throw std::invalid_argument("bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                                    " pixels given " + std::to_string(indices.size()) + " indices");
    }
    Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    bitmap.palette = std::move(palette);
    bitmap.indices = std::move(indices);
    bitmap.pixels.reserve(bitmap.indices.size());
    for (std::uint8_t index : bitmap.indices) {
        bitmap.pixels.push_back(bitmap.paletteColour(index));
    }
    return bitmap;
}

std::size_t Bitmap::offsetOf(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") outside a " +
                                std::to_string(width) + " x " + std::to_string(height) + " bitmap");
    }
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

const Rgb& Bitmap::at(int x, int y) const {
    return pixels.at(offsetOf(x, y));
}

std::uint8_t Bitmap::indexAt(int x, int y) const {
    return indices.at(offsetOf(x, y));
}

void Bitmap::set(int x, int y, Rgb colour) {
    pixels.at(offsetOf(x, y)) = colour;
    palette.clear();
    indices.clear();
}

void Bitmap::setIndex(int x, int y, std::uint8_t index) {
    std::size_t offset = offsetOf(x, y);
    if (!hasIndices()) {
        throw std::logic_error("setIndex on a bitmap without palette indices");
    }
    indices.at(offset) = index;
    pixels.at(offset) = paletteColour(index);
}

Rgb Bitmap::paletteColour(std::uint8_t index) const {
    return index < palette.size() ? palette[index] : Rgb{};
}

}  // namespace corvane
