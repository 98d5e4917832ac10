// Opening a neighbourhood of 200 characters whose neighborhood.iff is about
// 4 MB. Each character's family and neighbour record are found by searching
// the whole file; the indexed searches run beside a literal byte-by-byte
// scan of the same file in one run.
#include "BigNeighbourhood.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/FileBytes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kCharacters = 200;
constexpr int kLevel = 7;

using bench::fileNameOf;
using bench::guidOf;

const std::filesystem::path& bigNeighbourhood() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        std::filesystem::path root = mkdtemp(pattern.data());
        corvane::GameBuilder game(root / "game");
        game.installation(kLevel);
        return bench::WriteBigNeighbourhood(game, kCharacters, kLevel);
    }();
    return folder;
}

// The searches as written: a byte-by-byte walk of the whole file per character.
std::size_t literalFamilySearch(const std::vector<std::uint8_t>& image, const std::string& guid) {
    std::size_t lastImaf = 0;
    bool seen = false;
    for (std::size_t p = 1; p + 5 <= image.size(); ++p) {
        if (std::memcmp(image.data() + p, "IMAF", 4) == 0) {
            lastImaf = p;
            seen = true;
        } else if (seen && std::memcmp(image.data() + p, guid.data(), 4) == 0) {
            return lastImaf;
        }
    }
    return 0;
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t literalNeighbourSearch(const std::vector<std::uint8_t>& image, std::size_t from, std::size_t to,
                                   const std::string& name) {
    for (std::size_t p = from; p + name.size() < to; ++p) {
        bool match = image[p + name.size()] == 0;
        for (std::size_t i = 0; match && i < name.size(); ++i) {
            match = lower(static_cast<char>(image[p + i])) == lower(name[i]);
        }
        if (match) return p;
    }
    return 0;
}

void SearchesIndexed(benchmark::State& state) {
    const auto bytes = corvane::ReadFileBytes(bigNeighbourhood() / "neighborhood.iff");
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    for (auto _ : state) {
        corvane::NeighborhoodImage image(bytes);
        for (int i = 0; i < kCharacters; ++i) {
            const std::uint32_t g = guidOf(i);
            benchmark::DoNotOptimize(image.familyRecordOf(std::string(reinterpret_cast<const char*>(&g), 4)));
            benchmark::DoNotOptimize(image.neighbourRecordOf(fileNameOf(i)));
        }
    }
}
BENCHMARK(SearchesIndexed)->Unit(benchmark::kMillisecond);

void SearchesLiteral(benchmark::State& state) {
    const auto bytes = corvane::ReadFileBytes(bigNeighbourhood() / "neighborhood.iff");
    const corvane::NeighborhoodImage image(bytes);
    const corvane::Section* nbrs = corvane::FindChunk(image.chunks(), "NBRS");
    const auto from = static_cast<std::size_t>(nbrs->ChunkOffset) + 98;
    const auto to = static_cast<std::size_t>(nbrs->ChunkOffset + nbrs->ChunkSize);
    for (auto _ : state) {
        for (int i = 0; i < kCharacters; ++i) {
            const std::uint32_t g = guidOf(i);
            benchmark::DoNotOptimize(literalFamilySearch(bytes, std::string(reinterpret_cast<const char*>(&g), 4)));
            benchmark::DoNotOptimize(literalNeighbourSearch(bytes, from, to, fileNameOf(i)));
        }
    }
}
BENCHMARK(SearchesLiteral)->Unit(benchmark::kMillisecond);

void OpenWholeNeighbourhood(benchmark::State& state) {
    corvane::NeighbourhoodLoadSettings settings;
    settings.folder = bigNeighbourhood();
    settings.expansionLevel = kLevel;
    settings.hasFameFolders = true;
    struct Quiet : corvane::Dialogs {
        corvane::ModalResult showMessage(const corvane::MessageRequest&) override { return corvane::mrOk; }
        std::optional<std::filesystem::path> chooseOpenFile(const corvane::FileRequest&) override { return {}; }
        std::optional<std::filesystem::path> chooseSaveFile(const corvane::FileRequest&) override { return {}; }
        std::optional<std::filesystem::path> chooseFolder(const corvane::FolderRequest&) override { return {}; }
    } dialogs;
    corvane::SilentProgress quiet;
    for (auto _ : state) {
        auto opened = corvane::OpenNeighbourhood(settings, dialogs, quiet);
        benchmark::DoNotOptimize(opened.characters.size());
    }
}
BENCHMARK(OpenWholeNeighbourhood)->Unit(benchmark::kMillisecond);

}  // namespace
