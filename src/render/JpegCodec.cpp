#include "render/JpegCodec.h"

#include "platform/FormatError.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>

#include <jpeglib.h>

// libjpeg reports a fatal error through error_exit, whose default ends the
// process. Ours keeps the message and longjmps back to the function that started
// the work; that function keeps every C++ object it owns in a heap session
// created before setjmp, so the jump skips no destructor and leaves no object
// half-updated. The caller then throws.

namespace corvane {

namespace {

struct JpegErrors {
    jpeg_error_mgr manager{};  // first: libjpeg hands us &manager
    std::jmp_buf resume{};
    std::array<char, JMSG_LENGTH_MAX> message{};
};

JpegErrors& errorsOf(j_common_ptr info) {
    return *reinterpret_cast<JpegErrors*>(info->err);
}

[[noreturn]] void jumpBack(j_common_ptr info) {
    JpegErrors& errors = errorsOf(info);
    errors.manager.format_message(info, errors.message.data());
    std::longjmp(errors.resume, 1);
}

[[noreturn]] void fail(j_common_ptr info, const char* what) {
    JpegErrors& errors = errorsOf(info);
    std::snprintf(errors.message.data(), errors.message.size(), "%s", what);
    std::longjmp(errors.resume, 1);
}

// Warnings mean damaged picture data that libjpeg stepped over; the picture is
// still usable, so they are not errors. Trace messages are noise.
void ignoreMessage(j_common_ptr, int) {}

jpeg_error_mgr* installErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpBack;
    errors.manager.emit_message = ignoreMessage;
    return &errors.manager;
}

// ---- Decoding -------------------------------------------------------------

struct Decompression {
    JpegErrors errors;
    jpeg_progress_mgr progress{};
    jpeg_decompress_struct info{};
    // RGB triplets, or one palette index per pixel when quantised.
    std::vector<std::uint8_t> samples;
    std::vector<Rgb> palette;
};

struct DestroyDecompression {
    void operator()(Decompression* session) const {
        jpeg_destroy_decompress(&session->info);
        delete session;
    }
};

// Progressive files repeat whole-picture passes; a few bytes of scan headers
// could otherwise keep the decoder busy for minutes.
void refuseEndlessScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kJpegMaxScans) {
        fail(info, "more scans than a picture needs");
    }
}

void requestQuantisation(jpeg_decompress_struct& info, int maxColours) {
    info.quantize_colors = TRUE;
    info.two_pass_quantize = TRUE;
    info.dither_mode = JDITHER_FS;
    info.desired_number_of_colors = maxColours;
}

// The colormap lives in libjpeg's image pool, which jpeg_finish_decompress frees.
void copyColormap(const jpeg_decompress_struct& info, std::vector<Rgb>& palette) {
    const int last = info.out_color_components - 1;
    auto component = [&](int wanted, int index) { return info.colormap[std::min(wanted, last)][index]; };
    palette.clear();
    for (int index = 0; index < info.actual_number_of_colors; ++index) {
        palette.push_back({component(0, index), component(1, index), component(2, index)});
    }
}

void readPicture(Decompression& session) {
    jpeg_decompress_struct& info = session.info;
    const std::size_t rowBytes =
        static_cast<std::size_t>(info.output_width) * static_cast<std::size_t>(info.output_components);
    session.samples.resize(rowBytes * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = session.samples.data() + rowBytes * info.output_scanline;
        if (jpeg_read_scanlines(&info, &row, 1) != 1) {
            fail(reinterpret_cast<j_common_ptr>(&info), "the decoder stopped inside the picture");
        }
    }
}

// Every libjpeg call of a decode; false when libjpeg gave up (the message is in
// session.errors). maxColours 0: true colour.
bool decompress(Decompression& session, std::span<const std::uint8_t> bytes, int maxColours) {
    jpeg_decompress_struct& info = session.info;
    info.err = installErrors(session.errors);
    if (setjmp(session.errors.resume) != 0) {
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kJpegMaxDecoderMemory;
    session.progress.progress_monitor = refuseEndlessScans;
    info.progress = &session.progress;
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (maxColours > 0) {
        requestQuantisation(info, maxColours);
    }
    jpeg_calc_output_dimensions(&info);
    if (std::uint64_t{info.output_width} * info.output_height > kJpegMaxPixels) {
        fail(reinterpret_cast<j_common_ptr>(&info), "the picture is larger than the editor reads");
    }
    jpeg_start_decompress(&info);
    readPicture(session);
    if (maxColours > 0) {
        copyColormap(info, session.palette);
    }
    jpeg_finish_decompress(&info);
    return true;
}

// Where in the file the decoder was when it gave up; the end of the file once it
// has read past it.
std::uint64_t offsetReached(const jpeg_decompress_struct& info, std::span<const std::uint8_t> bytes) {
    const jpeg_source_mgr* source = info.src;
    if (source == nullptr) {
        return 0;
    }
    if (source->next_input_byte + source->bytes_in_buffer != bytes.data() + bytes.size()) {
        return bytes.size();
    }
    return bytes.size() - source->bytes_in_buffer;
}

std::unique_ptr<Decompression, DestroyDecompression> decode(std::span<const std::uint8_t> bytes, int maxColours,
                                                           const std::string& fileName) {
    std::unique_ptr<Decompression, DestroyDecompression> session(new Decompression);
    if (!decompress(*session, bytes, maxColours)) {
        throw FormatError(fileName, offsetReached(session->info, bytes),
                          std::string("not a readable JPEG picture: ") + session->errors.message.data());
    }
    return session;
}

int side(JDIMENSION value) {
    return static_cast<int>(value);
}

// ---- Encoding -------------------------------------------------------------

// libjpeg writes into this vector, grown by doubling; jpeg_mem_dest is not used
// because after an error it leaves the caller a pointer to a buffer it already
// freed. The compressor's client_data points here.
struct VectorDestination {
    jpeg_destination_mgr manager{};
    std::vector<std::uint8_t> bytes;
};

struct Compression {
    JpegErrors errors;
    jpeg_compress_struct info{};
    VectorDestination destination;
    std::vector<JSAMPLE> row;
};

struct DestroyCompression {
    void operator()(Compression* session) const {
        jpeg_destroy_compress(&session->info);
        delete session;
    }
};

constexpr std::size_t kFirstOutputChunk = 64 * 1024;

VectorDestination& destinationOf(j_compress_ptr info) {
    return *static_cast<VectorDestination*>(info->client_data);
}

// False when memory ran out; no exception may cross libjpeg's C frames.
bool resizeOutput(VectorDestination& destination, std::size_t size) {
    try {
        destination.bytes.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void startOutput(j_compress_ptr info) {
    VectorDestination& destination = destinationOf(info);
    if (!resizeOutput(destination, kFirstOutputChunk)) {
        fail(reinterpret_cast<j_common_ptr>(info), "out of memory for the JPEG file");
    }
    destination.manager.next_output_byte = destination.bytes.data();
    destination.manager.free_in_buffer = destination.bytes.size();
}

boolean growOutput(j_compress_ptr info) {
    VectorDestination& destination = destinationOf(info);
    const std::size_t used = destination.bytes.size();
    if (!resizeOutput(destination, used * 2)) {
        fail(reinterpret_cast<j_common_ptr>(info), "out of memory for the JPEG file");
    }
    destination.manager.next_output_byte = destination.bytes.data() + used;
    destination.manager.free_in_buffer = destination.bytes.size() - used;
    return TRUE;
}

void finishOutput(j_compress_ptr info) {
    VectorDestination& destination = destinationOf(info);
    destination.bytes.resize(destination.bytes.size() - destination.manager.free_in_buffer);
}

void fillRow(std::vector<JSAMPLE>& row, const Bitmap& bitmap, int y) {
    const auto first = bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(y) * bitmap.width;
    auto out = row.begin();
    for (auto pixel = first; pixel != first + bitmap.width; ++pixel) {
        *out++ = pixel->r;
        *out++ = pixel->g;
        *out++ = pixel->b;
    }
}

// Every libjpeg call of an encode; false when libjpeg gave up.
bool compress(Compression& session, const Bitmap& bitmap, int quality) {
    jpeg_compress_struct& info = session.info;
    info.err = installErrors(session.errors);
    if (setjmp(session.errors.resume) != 0) {
        return false;
    }
    jpeg_create_compress(&info);
    info.client_data = &session.destination;
    session.destination.manager.init_destination = startOutput;
    session.destination.manager.empty_output_buffer = growOutput;
    session.destination.manager.term_destination = finishOutput;
    info.dest = &session.destination.manager;
    info.image_width = static_cast<JDIMENSION>(bitmap.width);
    info.image_height = static_cast<JDIMENSION>(bitmap.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    session.row.resize(static_cast<std::size_t>(bitmap.width) * 3);
    while (info.next_scanline < info.image_height) {
        fillRow(session.row, bitmap, static_cast<int>(info.next_scanline));
        JSAMPROW row = session.row.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

void requireEncodable(const Bitmap& bitmap, int quality) {
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        throw std::invalid_argument("cannot encode an empty bitmap as JPEG");
    }
    if (bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        throw std::invalid_argument("bitmap pixel count does not match its size");
    }
    if (quality < 1 || quality > 100) {
        throw std::invalid_argument("JPEG quality " + std::to_string(quality) + " is outside 1 to 100");
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality) {
    requireEncodable(bitmap, quality);
    std::unique_ptr<Compression, DestroyCompression> session(new Compression);
    if (!compress(*session, bitmap, quality)) {
        throw std::runtime_error(std::string("JPEG encoder: ") + session->errors.message.data());
    }
    return std::move(session->destination.bytes);
}

Bitmap DecodeJpeg24(std::span<const std::uint8_t> bytes, const std::string& fileName) {
    const auto session = decode(bytes, 0, fileName);
    Bitmap bitmap(side(session->info.output_width), side(session->info.output_height));
    const std::uint8_t* sample = session->samples.data();
    for (Rgb& pixel : bitmap.pixels) {
        pixel = {sample[0], sample[1], sample[2]};
        sample += 3;
    }
    bitmap.bitDepth = 24;
    return bitmap;
}

Bitmap DecodeJpegQuantized(std::span<const std::uint8_t> bytes, int maxColours, const std::string& fileName) {
    if (maxColours < 8 || maxColours > 256) {
        throw std::invalid_argument("JPEG quantiser colour count " + std::to_string(maxColours) +
                                    " is outside 8 to 256");
    }
    const auto session = decode(bytes, maxColours, fileName);
    Bitmap bitmap = Bitmap::fromIndices(side(session->info.output_width), side(session->info.output_height),
                                        std::move(session->palette), std::move(session->samples));
    bitmap.bitDepth = 8;
    return bitmap;
}

Bitmap JpegRoundTrip24(const Bitmap& bitmap) {
    return DecodeJpeg24(EncodeJpeg(bitmap, 100), "JPEG round trip");
}

Bitmap JpegRoundTrip8(const Bitmap& bitmap, int maxColours) {
    return DecodeJpegQuantized(EncodeJpeg(bitmap, 100), maxColours, "JPEG round trip");
}

}  // namespace corvane
