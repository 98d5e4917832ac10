#include "render/PngEncoder.h"

#include <png.h>

#include <csetjmp>
#include <stdexcept>

namespace corvane {

namespace {

void appendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

void ignoreWarning(png_structp, png_const_charp) {}

// libpng reports errors by jumping back here; nothing with a destructor may
// live in this frame. The rows are ready-made RGB bytes.
bool writeRows(png_structp png, png_infop info, std::vector<std::uint8_t>* out, const std::uint8_t* rgb,
               png_uint_32 width, png_uint_32 height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, appendToVector, flushNothing);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (png_uint_32 y = 0; y < height; ++y) {
        png_write_row(png, rgb + static_cast<std::size_t>(y) * width * 3);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& picture) {
    if (picture.width <= 0 || picture.height <= 0) throw std::invalid_argument("an empty picture has no PNG");
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& c = picture.at(x, y);
            rgb.insert(rgb.end(), {c.r, c.g, c.b});
        }
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<std::uint8_t> out;
    const bool written = info != nullptr && writeRows(png, info, &out, rgb.data(), static_cast<png_uint_32>(picture.width),
                                                      static_cast<png_uint_32>(picture.height));
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!written) throw std::runtime_error("the picture could not be encoded as PNG");
    return out;
}

}  // namespace corvane
