// Decoding textures as the skin pages and the preview do, for every texture
// of a large skins folder.
#include "platform/BmpCodec.h"

#include <benchmark/benchmark.h>

namespace {

corvane::Bitmap paletted(int size) {
    std::vector<corvane::Rgb> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 128});
    }
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < indices.size(); ++i) {
        indices[i] = static_cast<std::uint8_t>(i * 7);
    }
    return corvane::Bitmap::fromIndices(size, size, palette, indices);
}

void DecodePaletted256(benchmark::State& state) {
    const auto bytes = corvane::EncodeBmp8(paletted(256));
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::LoadBmpWithSizeFix(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(DecodePaletted256);

void DecodeTrueColour512(benchmark::State& state) {
    corvane::Bitmap image(512, 512, {10, 20, 30});
    const auto bytes = corvane::EncodeBmp24(image);
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::LoadBmpWithSizeFix(bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(DecodeTrueColour512);

}  // namespace
