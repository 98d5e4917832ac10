#pragma once

#include <cstdint>
#include <vector>

namespace corvane {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A decoded picture: rows top-down, pixels left to right. Textures remember the
// colour depth of the file they came from, because the texture check tells
// 15-, 16- and 24-bit files apart. A paletted texture also keeps its palette and
// one index per pixel, so an 8-bit texture can be written back as it was.
//
// Invariant kept by the member functions: `indices` is either empty or holds one
// index per pixel, and then `pixels[i]` is the palette colour of `indices[i]`
// (black for an index the palette does not reach, as the game's files may have).
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    // 1, 4, 8, 15 (5-5-5), 16 (5-6-5 and other 16-bit masks), 24 or 32; 0 for a
    // bitmap made in memory.
    int bitDepth = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;

    Bitmap() = default;
    // A true-colour bitmap of the given size, every pixel `fill`. Throws
    // std::invalid_argument for a negative size.
    Bitmap(int width, int height, Rgb fill = {});
    // A paletted bitmap; `indices` holds width × height entries, top-down.
    // Throws std::invalid_argument when the sizes disagree.
    static Bitmap fromIndices(int width, int height, std::vector<Rgb> palette, std::vector<std::uint8_t> indices);

    bool empty() const { return pixels.empty(); }
    bool hasIndices() const { return !indices.empty(); }

    // Throw std::out_of_range outside the picture.
    const Rgb& at(int x, int y) const;
    std::uint8_t indexAt(int x, int y) const;
    // A colour written directly no longer matches the palette, so the palette
    // and indices are dropped: the bitmap becomes true-colour.
    void set(int x, int y, Rgb colour);
    // Writes a palette index and its colour; needs a paletted bitmap.
    void setIndex(int x, int y, std::uint8_t index);

    // The colour an index stands for: black past the end of the palette.
    Rgb paletteColour(std::uint8_t index) const;

private:
    std::size_t offsetOf(int x, int y) const;
};

}  // namespace corvane
