#pragma once

#include "platform/Bitmap.h"

namespace corvane::test::reference {

// The resampler as it was before it was made fast, kept word for word as the
// measure of the fast one: every output byte must stay the same. Contributor
// lists of (index, weight) pairs, single-precision sums per pixel and channel,
// rows into a work bitmap first, then columns.
void ResampleBitmap(const Bitmap& source, Bitmap& destination);

}  // namespace corvane::test::reference
