#include "render/MakeThumb.h"

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "render/JpegCodec.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace corvane {

namespace {

void requireSourcePixels(const Bitmap& source) {
    if (source.width <= 0 || source.height <= 0) {
        throw std::runtime_error("Source bitmap too small");
    }
    if (source.pixels.size() != static_cast<std::size_t>(source.width) * static_cast<std::size_t>(source.height)) {
        throw std::invalid_argument("bitmap pixel count does not match its size");
    }
}

// One output pixel: each colour byte is the weighted sum of the listed input
// pixels, accumulated in single precision. `inputAt` maps a source index along
// the current axis to its pixel.
template <typename InputAt>
Rgb filterPixel(const ContributorList& contributors, InputAt inputAt) {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    for (const Contributor& contributor : contributors) {
        const Rgb& input = inputAt(contributor.sourceIndex);
        red += contributor.weight * static_cast<float>(input.r);
        green += contributor.weight * static_cast<float>(input.g);
        blue += contributor.weight * static_cast<float>(input.b);
    }
    return {SampleToByte(red), SampleToByte(green), SampleToByte(blue)};
}

std::size_t offsetOf(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}

// Every source row to the destination width: the W × h work bitmap.
Bitmap resampleRows(const Bitmap& source, const std::vector<ContributorList>& columns) {
    const int width = static_cast<int>(columns.size());
    Bitmap work(width, source.height);
    for (int y = 0; y < source.height; ++y) {
        auto sourceAt = [&](int x) -> const Rgb& { return source.pixels[offsetOf(x, y, source.width)]; };
        for (int x = 0; x < width; ++x) {
            work.pixels[offsetOf(x, y, width)] = filterPixel(columns[static_cast<std::size_t>(x)], sourceAt);
        }
    }
    return work;
}

// Every work column to the destination height.
Bitmap resampleColumns(const Bitmap& work, const std::vector<ContributorList>& rows) {
    const int height = static_cast<int>(rows.size());
    Bitmap result(work.width, height);
    for (int y = 0; y < height; ++y) {
        const ContributorList& contributors = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < work.width; ++x) {
            auto workAt = [&](int row) -> const Rgb& { return work.pixels[offsetOf(x, row, work.width)]; };
            result.pixels[offsetOf(x, y, work.width)] = filterPixel(contributors, workAt);
        }
    }
    return result;
}

// The destination is only replaced once the new picture is complete.
Bitmap resampled(const Bitmap& source, int width, int height) {
    requireSourcePixels(source);
    if (width < 0 || height < 0) {
        throw std::invalid_argument("resampling to a negative size");
    }
    const Bitmap work = resampleRows(source, BuildContributors(source.width, width));
    Bitmap result = resampleColumns(work, BuildContributors(source.height, height));
    result.bitDepth = 24;
    return result;
}

int roundedShare(int size, int part, int whole) {
    return static_cast<int>(std::lround(static_cast<double>(size) * part / whole));
}

bool isJpegName(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
    return extension == ".jpg";
}

Bitmap decodeTextureFile(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = ReadFileBytes(path);
    const std::string name = path.string();
    return isJpegName(path) ? DecodeJpeg24(bytes, name) : LoadBmpWithSizeFix(bytes, name);
}

}  // namespace

void ResampleBitmap(const Bitmap& source, Bitmap& destination) {
    destination = resampled(source, destination.width, destination.height);
}

void ResampleToSquare(const Bitmap& source, Bitmap& destination, int size) {
    destination = resampled(source, size, size);
}

void ResampleToFit(const Bitmap& source, Bitmap& destination, int size) {
    requireSourcePixels(source);
    if (source.width > source.height) {
        destination = resampled(source, size, roundedShare(size, source.height, source.width));
    } else {
        destination = resampled(source, roundedShare(size, source.width, source.height), size);
    }
}

void ThumbnailFromFile(const std::filesystem::path& path, Bitmap& destination, int size) {
    ResampleToSquare(decodeTextureFile(path), destination, size);
}

}  // namespace corvane
