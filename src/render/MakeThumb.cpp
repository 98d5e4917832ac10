#include "render/MakeThumb.h"

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "render/JpegCodec.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The two passes keep the arithmetic of one contributor list per destination
// pixel exactly: each colour sum starts at 0 and adds weight × value in list
// order, in single precision, and becomes a byte through SampleToByte's
// rounding. What makes them fast is doing many such sums side by side, each
// in its own vector lane, so no sum's order of additions changes. (The build
// compiles this file without fusing multiplications into additions, which would
// change the results.)

using Float4 = float __attribute__((vector_size(16)));
using Int4 = std::int32_t __attribute__((vector_size(16)));

constexpr int kChannels = 3;
static_assert(sizeof(Rgb) == kChannels, "pixels are read and written as plain bytes");

Float4 load4(const float* at) {
    Float4 value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

Float4 splat(float value) { return Float4{value, value, value, value}; }

// SampleToByte on four sums at once: clamped to 0..255, then rounded to the
// nearest whole number with halves to the even one, by truncation (the same
// whatever rounding mode is set) and the exact fraction left over.
Int4 toBytes(Float4 sum) {
    const Float4 top = splat(255.0f);
    const Int4 above = sum > top;
    const Int4 below = sum < Float4{};
    const Int4 bits = (std::bit_cast<Int4>(sum) & ~(above | below)) | (std::bit_cast<Int4>(top) & above);
    const Float4 clamped = std::bit_cast<Float4>(bits);
    const Int4 whole = __builtin_convertvector(clamped, Int4);
    const Float4 fraction = clamped - __builtin_convertvector(whole, Float4);
    const Float4 half = splat(0.5f);
    const Int4 one = Int4{1, 1, 1, 1};
    const Int4 up = (fraction > half) | ((fraction == half) & ((whole & one) == one));
    return whole - up;  // a true comparison is −1
}

// The contributor lists of one axis in flat arrays: destination i adds the
// pairs first[i] .. first[i + 1] − 1.
struct FlatContributors {
    std::vector<std::size_t> first;
    std::vector<std::size_t> index;
    std::vector<float> weight;
};

FlatContributors flatten(const std::vector<ContributorList>& lists) {
    FlatContributors flat;
    flat.first.reserve(lists.size() + 1);
    flat.first.push_back(0);
    for (const ContributorList& list : lists) {
        for (const Contributor& contributor : list) {
            flat.index.push_back(static_cast<std::size_t>(contributor.sourceIndex));
            flat.weight.push_back(contributor.weight);
        }
        flat.first.push_back(flat.index.size());
    }
    return flat;
}

// The horizontal pass works on eight source rows at a time, laid out by source
// column and channel with the eight rows' values side by side, so one column's
// contributors advance eight rows' sums with two vector steps per channel.
constexpr std::size_t kRowsAtOnce = 8;
constexpr std::size_t kBlockStride = kChannels * kRowsAtOnce;  // floats per source column

// The work picture: W × h as floats holding whole byte values, each row padded
// to whole vectors.
struct WorkPicture {
    std::size_t rowFloats = 0;
    std::vector<float> values;
};

// Rows end on a whole group of four vectors, which the vertical pass reads at once.
std::size_t paddedToVectors(std::size_t floats) { return (floats + 15) / 16 * 16; }

// The bytes of eight rows, turned so that byte i of row r lands at
// block[i × 8 + r], as floats: a source column's channels with the eight rows
// side by side.
void fillBlock(const std::uint8_t* const rowStarts[kRowsAtOnce], std::size_t rowBytes, float* block) {
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes of each row at a time, turned as an 8 × 16 byte matrix.
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= rowBytes; i += 16) {
        __m128i in[kRowsAtOnce];
        for (std::size_t lane = 0; lane < kRowsAtOnce; ++lane) {
            in[lane] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowStarts[lane] + i));
        }
        // Pairs of rows, then fours, then all eight: byte by byte, in twos, in fours.
        __m128i pairs[8];
        for (std::size_t p = 0; p < 4; ++p) {
            pairs[2 * p] = _mm_unpacklo_epi8(in[2 * p], in[2 * p + 1]);
            pairs[2 * p + 1] = _mm_unpackhi_epi8(in[2 * p], in[2 * p + 1]);
        }
        __m128i fours[8];
        for (std::size_t half = 0; half < 2; ++half) {
            for (std::size_t part = 0; part < 2; ++part) {
                const __m128i upper = pairs[4 * half + part];
                const __m128i lower = pairs[4 * half + 2 + part];
                fours[4 * half + 2 * part] = _mm_unpacklo_epi16(upper, lower);
                fours[4 * half + 2 * part + 1] = _mm_unpackhi_epi16(upper, lower);
            }
        }
        // fours[q] holds bytes 4q .. 4q + 3 of rows 0-3; fours[4 + q] the same of rows 4-7.
        for (std::size_t q = 0; q < 4; ++q) {
            const __m128i both[2] = {_mm_unpacklo_epi32(fours[q], fours[4 + q]),
                                     _mm_unpackhi_epi32(fours[q], fours[4 + q])};
            for (std::size_t b = 0; b < 2; ++b) {
                // Two bytes' eight rows each, widened to floats.
                const __m128i words[2] = {_mm_unpacklo_epi8(both[b], zero), _mm_unpackhi_epi8(both[b], zero)};
                float* out = block + (i + 4 * q + 2 * b) * kRowsAtOnce;
                for (std::size_t w = 0; w < 2; ++w) {
                    _mm_storeu_ps(out + 8 * w, _mm_cvtepi32_ps(_mm_unpacklo_epi16(words[w], zero)));
                    _mm_storeu_ps(out + 8 * w + 4, _mm_cvtepi32_ps(_mm_unpackhi_epi16(words[w], zero)));
                }
            }
        }
    }
#endif
    for (; i < rowBytes; ++i) {
        for (std::size_t lane = 0; lane < kRowsAtOnce; ++lane) {
            block[i * kRowsAtOnce + lane] = rowStarts[lane][i];
        }
    }
}

// Every source row to the destination width.
WorkPicture resampleRows(const Bitmap& source, const FlatContributors& columns, std::size_t width) {
    const auto sourceWidth = static_cast<std::size_t>(source.width);
    const auto sourceHeight = static_cast<std::size_t>(source.height);
    const auto* sourceBytes = reinterpret_cast<const std::uint8_t*>(source.pixels.data());
    WorkPicture work;
    work.rowFloats = paddedToVectors(width * kChannels);
    work.values.assign(work.rowFloats * sourceHeight, 0.0f);
    std::vector<float> block(sourceWidth * kBlockStride);
    const std::vector<std::uint8_t> noRow(sourceWidth * kChannels);  // lanes below the last row
    for (std::size_t top = 0; top < sourceHeight; top += kRowsAtOnce) {
        const std::size_t rows = std::min(kRowsAtOnce, sourceHeight - top);
        const std::uint8_t* rowStarts[kRowsAtOnce];
        for (std::size_t lane = 0; lane < kRowsAtOnce; ++lane) {
            rowStarts[lane] = lane < rows ? sourceBytes + (top + lane) * sourceWidth * kChannels : noRow.data();
        }
        fillBlock(rowStarts, sourceWidth * kChannels, block.data());
        for (std::size_t x = 0; x < width; ++x) {
            // Spelt out so the six sums stay in registers.
            Float4 sum0{}, sum1{}, sum2{}, sum3{}, sum4{}, sum5{};
            for (std::size_t k = columns.first[x]; k < columns.first[x + 1]; ++k) {
                const Float4 weight = splat(columns.weight[k]);
                const float* input = block.data() + columns.index[k] * kBlockStride;
                sum0 += weight * load4(input);
                sum1 += weight * load4(input + 4);
                sum2 += weight * load4(input + 8);
                sum3 += weight * load4(input + 12);
                sum4 += weight * load4(input + 16);
                sum5 += weight * load4(input + 20);
            }
            const Float4 sums[kBlockStride / 4] = {sum0, sum1, sum2, sum3, sum4, sum5};
            for (std::size_t part = 0; part < kBlockStride / 4; ++part) {
                const Float4 bytes = __builtin_convertvector(toBytes(sums[part]), Float4);
                const std::size_t channel = part * 4 / kRowsAtOnce;
                const std::size_t firstLane = part * 4 % kRowsAtOnce;
                for (std::size_t lane = firstLane; lane < firstLane + 4 && lane < rows; ++lane) {
                    work.values[(top + lane) * work.rowFloats + x * kChannels + channel] = bytes[lane - firstLane];
                }
            }
        }
    }
    return work;
}

// Every work column to the destination height: a destination row is the
// weighted sum of whole work rows, so all its bytes advance together.
void resampleColumns(const WorkPicture& work, const FlatContributors& rows, Bitmap& result) {
    const std::size_t rowBytes = static_cast<std::size_t>(result.width) * kChannels;
    const std::size_t vectors = work.rowFloats / 4;
    auto* resultBytes = reinterpret_cast<std::uint8_t*>(result.pixels.data());
    std::vector<Float4> sums(vectors);
    for (std::size_t y = 0; y < static_cast<std::size_t>(result.height); ++y) {
        // Four vectors of the row at a time, their sums in registers over all contributors.
        for (std::size_t part = 0; part < vectors; part += 4) {
            Float4 sum0{}, sum1{}, sum2{}, sum3{};
            for (std::size_t k = rows.first[y]; k < rows.first[y + 1]; ++k) {
                const Float4 weight = splat(rows.weight[k]);
                const float* input = work.values.data() + rows.index[k] * work.rowFloats + part * 4;
                sum0 += weight * load4(input);
                sum1 += weight * load4(input + 4);
                sum2 += weight * load4(input + 8);
                sum3 += weight * load4(input + 12);
            }
            sums[part] = sum0;
            sums[part + 1] = sum1;
            sums[part + 2] = sum2;
            sums[part + 3] = sum3;
        }
        std::uint8_t* output = resultBytes + y * rowBytes;
        for (std::size_t part = 0; part < vectors; ++part) {
            const Int4 bytes = toBytes(sums[part]);
            for (std::size_t lane = 0; lane < 4 && part * 4 + lane < rowBytes; ++lane) {
                output[part * 4 + lane] = static_cast<std::uint8_t>(bytes[lane]);
            }
        }
    }
}

// The destination is only replaced once the new picture is complete.
Bitmap resampled(const Bitmap& source, int width, int height) {
    requireSourcePixels(source);
    if (width < 0 || height < 0) {
        throw std::invalid_argument("resampling to a negative size");
    }
    Bitmap result(width, height);
    result.bitDepth = 24;
    if (width == 0 || height == 0) {
        return result;
    }
    const FlatContributors columns = flatten(BuildContributors(source.width, width));
    // A square texture to a square picture has the same lists on both axes.
    const bool sameAxes = source.width == source.height && width == height;
    const FlatContributors rows = sameAxes ? FlatContributors{} : flatten(BuildContributors(source.height, height));
    const WorkPicture work = resampleRows(source, columns, static_cast<std::size_t>(width));
    resampleColumns(work, sameAxes ? columns : rows, result);
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
