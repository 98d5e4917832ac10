#pragma once

#include "platform/Bitmap.h"
#include "render/LanczosFilter.h"

#include <filesystem>

namespace corvane {

// Thumbnails of textures for the skin pages, the export page and the profile
// pages: a two-pass Lanczos-3 resampler over true-colour bitmaps (rows into a
// work bitmap first, then columns) and the wrappers that fix the destination
// size. Stateless.

// Resamples the whole source onto the destination, whose width and height the
// caller has set; the destination becomes a true-colour bitmap (bitDepth 24, no
// palette) of that size. A paletted source is read through its colours. Throws
// std::runtime_error "Source bitmap too small" when the source has no width or
// no height, std::invalid_argument for a negative destination size or a source
// whose pixel count does not match its size.
void ResampleBitmap(const Bitmap& source, Bitmap& destination);

// Destination size × size; the aspect ratio is not kept.
void ResampleToSquare(const Bitmap& source, Bitmap& destination, int size);

// The longer side becomes size, the other keeps the aspect ratio, rounded to the
// nearest pixel with halves away from zero.
void ResampleToFit(const Bitmap& source, Bitmap& destination, int size);

// A size × size thumbnail of a texture file: a ".jpg" file (extension compared
// lower-cased) is decoded as JPEG, any other file as BMP with the game's size
// fix. Errors (missing file, undecodable bytes) are thrown to the caller, who
// shows a placeholder.
void ThumbnailFromFile(const std::filesystem::path& path, Bitmap& destination, int size);

}  // namespace corvane
