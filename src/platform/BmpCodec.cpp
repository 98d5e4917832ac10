#include "platform/BmpCodec.h"

#include "platform/BmpHeader.h"
#include "platform/BmpRleDecoder.h"
#include "platform/BmpRowDecoder.h"
#include "platform/FormatError.h"

#include <algorithm>
#include <utility>

// Reading a BMP file: the headers and palette (BmpHeader), then the pixels as
// uncompressed rows (BmpRowDecoder) or a run-length stream (BmpRleDecoder).
// The writer is in BmpEncoder.cpp.

namespace corvane {

namespace {

using namespace bmp;

std::vector<std::uint8_t> decodeIndices(ByteReader& reader, const BmpLayout& layout) {
    return layout.runLengthEncoded() ? decodeRunLengthIndices(reader, layout) : decodeIndexRows(reader, layout);
}

// The texture check tells 5-5-5 files (15) from other 16-bit ones.
int reportedDepth(const BmpLayout& layout) {
    if (layout.bitCount == 16 && layout.masks == kMasks555) {
        return 15;
    }
    return layout.bitCount;
}

}  // namespace

Bitmap DecodeBmp(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    ByteReader reader(bytes, fileName);
    BmpHeaders headers = readHeaders(reader);
    const BmpLayout& layout = headers.layout;
    Bitmap bitmap = layout.paletted() ? Bitmap::fromIndices(layout.columns(), layout.rows(), std::move(headers.palette),
                                                            decodeIndices(reader, layout))
                                      : decodeTrueColourRows(reader, layout);
    bitmap.bitDepth = reportedDepth(layout);
    return bitmap;
}

std::uint64_t BmpDecodeExtent(std::span<const std::uint8_t> head, std::uint64_t fileSize) {
    if (!startsAsKnownBmp(head)) return head.size();  // decoding fails on the first bytes
    if (head.size() < fileSize) {
        ByteReader offsetReader(head, {});
        offsetReader.seek(kPixelOffsetField);
        const std::uint64_t pixelOffset = offsetReader.u32le();
        // The palette reaches up to the pixels: have all of it before the headers are read.
        if (pixelOffset > head.size()) return std::min(fileSize, pixelOffset);
    }
    BmpLayout layout;
    try {
        ByteReader reader(head, {});
        layout = readHeaders(reader).layout;
    } catch (const FormatError&) {
        return head.size();
    }
    const auto rows = static_cast<std::uint64_t>(layout.rows());
    const auto columns = static_cast<std::uint64_t>(layout.columns());
    std::uint64_t pixelBytes = 0;
    if (layout.runLengthEncoded()) {
        // A stream without an image size runs until its end mark: at most two
        // bytes a pixel, an end-of-row mark a row, and the end mark.
        pixelBytes = layout.imageSize != 0 ? layout.imageSize : 2 * columns * rows + 2 * rows + 2;
    } else {
        const std::uint64_t stride = (columns * static_cast<std::uint64_t>(layout.bitCount) + 31) / 32 * 4;
        // The size fix clears the image size of an uncompressed file; any other must agree with the file.
        pixelBytes = layout.compression == kRgb ? stride * rows : std::max<std::uint64_t>(stride * rows, layout.imageSize);
    }
    return std::min(fileSize, std::uint64_t{layout.pixelOffset} + pixelBytes);
}

Bitmap LoadBmpWithSizeFix(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    if (bytes.size() < kImageSizeField + 4) {
        return DecodeBmp(bytes, fileName);
    }
    ByteReader reader(bytes, fileName);
    reader.seek(kHeaderSizeField);
    // In a core header offset 30 is palette data, not a compression field.
    const bool hasCompressionField = reader.u32le() >= kInfoHeaderSize;
    reader.seek(kCompressionField);
    const std::uint32_t compression = reader.u32le();
    const std::uint32_t imageSize = reader.u32le();
    if (!hasCompressionField || compression != kRgb || imageSize == 0) {
        return DecodeBmp(bytes, fileName);
    }
    std::vector<std::uint8_t> repaired(bytes.begin(), bytes.end());
    std::fill_n(repaired.begin() + kImageSizeField, 4, std::uint8_t{0});
    return DecodeBmp(repaired, fileName);
}

}  // namespace corvane
