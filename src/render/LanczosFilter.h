#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

// The arithmetic of the thumbnail resampler: a Lanczos window of radius 3 in
// single precision, the per-column (or per-row) lists of weighted source pixels,
// and the conversion of a weighted sum back to a colour byte.

// sinc(x)·sinc(x/3) for |x| < 3, else 0; sinc(x) = sin(πx)/(πx), sinc(0) = 1.
float LanczosWeight(float x);

// One source pixel's share of a destination pixel. The index is already inside
// the source; the weight is used as computed, not normalised.
struct Contributor {
    int sourceIndex = 0;
    float weight = 0.0f;
};
using ContributorList = std::vector<Contributor>;

// How far destination pixels are spread over the source along one axis, chosen
// so the first and last destination pixels sit on the first and last source
// pixels: (N − 1)/(n − 1). A side of one pixel has no such span; there the scale
// is N/n, which puts the single pixel on the first source pixel. Both sizes must
// be positive.
float ResampleScale(int sourceSize, int destinationSize);

// One list per destination index. Each centre i/scale gathers source pixels
// within 3 (enlarging) or 3/scale (shrinking, weights scaled by the scale) on
// either side; zero weights are dropped and indices outside the source are
// mirrored: j < 0 becomes −j, j ≥ n becomes 2n − 1 − j (again, for sources so
// small that one reflection is not enough). Throws std::invalid_argument for a
// sourceSize below 1; a destinationSize below 1 gives no lists.
std::vector<ContributorList> BuildContributors(int sourceSize, int destinationSize);

// A weighted sum as a colour byte: clamped to 0..255, otherwise rounded to the
// nearest integer with halves to the even neighbour.
std::uint8_t SampleToByte(float sum);

}  // namespace corvane
