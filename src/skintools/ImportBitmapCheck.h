#pragma once

#include "platform/Dialogs.h"
#include "skins/ProblemRecordDetails.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane {

// Whether a bitmap can be imported as a texture: the game wants sides of 2 to
// 1024 pixels, each a power of two, and 8-bit colour. A file no larger than an
// 8-bit bitmap of its size would be (with some slack for the kilobyte
// rounding) passes without being 8-bit; a larger one is offered the colour
// correction.

enum class ImportBitmapVerdict {
    NotABitmap,       // missing, or its extension is not ".bmp"
    Unreadable,       // it does not decode: `cause` says where and why
    Accepted,
    WrongDimensions,  // `width` × `height` is not a texture's size
    TooLarge,         // larger than 8-bit colour allows: offer the correction
};

struct ImportBitmapCheck {
    ImportBitmapVerdict verdict = ImportBitmapVerdict::NotABitmap;
    int width = 0;
    int height = 0;
    int depth = 0;                // 1, 4, 8, 15, 16, 24 or 32; 0 when unknown
    std::int64_t allowance = 0;   // the file's kilobytes × 1000 − 5000
    std::string cause;            // why it is unreadable
};

// How the file is decoded: as the game repairs textures (the file dialog and
// the drop frame), or as it is (a drop on the preview window).
enum class BitmapDecoding { WithSizeFix, AsIs };

// Reads and judges the file; never throws.
ImportBitmapCheck CheckImportBitmap(const std::filesystem::path& file,
                                    BitmapDecoding decoding = BitmapDecoding::WithSizeFix);

// The same for a bitmap's bytes (its corrected form); `name` names it in a cause.
ImportBitmapCheck CheckImportBitmapBytes(const std::vector<std::uint8_t>& bytes, const std::string& name,
                                         BitmapDecoding decoding = BitmapDecoding::WithSizeFix);

// After the colour correction its result is judged again, and accepted only
// when its size is a texture's and it is now smaller than its allowance.
bool AcceptedAfterCorrection(const ImportBitmapCheck& check);

// What the user is told about a bitmap that is not accepted, through
// `dialogs`: only bitmaps, the unreadable file's cause, the wrong dimensions,
// or the offer of the colour correction. True when the user takes the offer.
bool TellImportBitmapCheck(const ImportBitmapCheck& check, Dialogs& dialogs);

// The record the colour-correction editor opens the bitmap with.
ProblemRecordDetails ColourCorrectionRecord(const ImportBitmapCheck& check, const std::filesystem::path& file);

}  // namespace corvane
