// Skin lookups on a large installation: 20,000 loose skin files spread over
// the search and fallback folders. Each cached lookup runs beside a literal,
// uncached one that lists folders on every call, so one run shows the ratio.
#include "demo/GameBuilder.h"
#include "platform/AsciiText.h"
#include "platform/CaseInsensitivePath.h"
#include "skins/SkinFolders.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <system_error>

namespace {

constexpr int kLooseSkins = 20000;

// The installation, written once for the whole run.
const std::filesystem::path& bigGame() {
    static const std::filesystem::path root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        std::filesystem::path folder = mkdtemp(pattern.data());
        corvane::GameBuilder game(folder / "game");
        game.installation(7);
        std::vector<std::string> folders = corvane::SkinFolders(game.root(), 7).SearchFolders();
        for (const std::string& fallback : corvane::SkinFolders::FallbackFolders()) {
            folders.push_back(fallback);
        }
        for (int i = 0; i < kLooseSkins; ++i) {
            const std::string& where = folders[static_cast<std::size_t>(i) % folders.size()];
            game.writeText(where + "b" + std::to_string(100000 + i) + "mafit_" + std::to_string(i) + ".cmx", "x");
        }
        return game.root();
    }();
    return root;
}

// FindSkinFile as written for a file system that ignores letter case: an
// existence test per search folder, a listing per fallback folder.
std::filesystem::path literalFind(const std::filesystem::path& game, const std::string& fileName) {
    corvane::SkinFolders folders(game, 7);
    std::error_code ec;
    for (const std::string& folder : folders.SearchFolders()) {
        auto path = corvane::ResolveCaseInsensitive(game, folder + fileName);
        if (std::filesystem::is_regular_file(path, ec)) {
            return path;
        }
    }
    const std::string wanted = corvane::ToLowerAscii(fileName);
    for (const std::string& folder : corvane::SkinFolders::FallbackFolders()) {
        auto path = corvane::ResolveCaseInsensitive(game, folder);
        for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->is_regular_file(ec) && corvane::ToLowerAscii(it->path().filename().string()) == wanted) {
                return it->path();
            }
        }
    }
    return {};
}

// An installed name found in a fallback folder late in the order, and a missing one.
const std::string kInstalled = "B119999MAFIT_19999.cmx";
const std::string kMissing = "b999999mafit_missing.cmx";

void FindInstalledCached(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) benchmark::DoNotOptimize(folders.FindSkinFile("B119999MAFIT_19999", ".cmx"));
}
void FindInstalledLiteral(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(literalFind(bigGame(), kInstalled));
}
void FindMissingCached(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) benchmark::DoNotOptimize(folders.FindSkinFile("b999999mafit_missing", ".cmx"));
}
void FindMissingLiteral(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(literalFind(bigGame(), kMissing));
}
void ListSkinFiles(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) benchmark::DoNotOptimize(folders.ListSkinFiles("*.cmx"));
}
void ListSkinFilesFiltered(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) benchmark::DoNotOptimize(folders.ListSkinFilesFiltered("*.cmx"));
}

BENCHMARK(FindInstalledCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindInstalledLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindMissingCached)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindMissingLiteral)->Unit(benchmark::kMicrosecond);
BENCHMARK(ListSkinFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(ListSkinFilesFiltered)->Unit(benchmark::kMillisecond);

}  // namespace
