// Skin lookups on a large installation: 20,000 loose skin files spread over
// the search and fallback folders. Each cached lookup runs beside a literal,
// uncached one that lists folders on every call, so one run shows the ratio.
#include "BigInstallation.h"
#include "platform/AsciiText.h"
#include "platform/CaseInsensitivePath.h"
#include "skins/SkinFolders.h"

#include <benchmark/benchmark.h>

#include <system_error>

namespace {

const std::filesystem::path& bigGame() {
    static const bench::BigInstallation game(bench::WriteLooseSkins);
    return game.root();
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

// An installed name found in a fallback folder late in the order (in other
// letter case), and a missing one.
const std::string kInstalled = corvane::ToUpperAscii(bench::LooseSkinFile(bench::kLooseSkins - 2));
const std::string kMissing = "b999mafit_missing.cmx";

void FindInstalledCached(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    const std::string base = kInstalled.substr(0, kInstalled.size() - 4);
    for (auto _ : state) benchmark::DoNotOptimize(folders.FindSkinFile(base, ".cmx"));
}
void FindInstalledLiteral(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(literalFind(bigGame(), kInstalled));
}
void FindMissingCached(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) benchmark::DoNotOptimize(folders.FindSkinFile("b999mafit_missing", ".cmx"));
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
