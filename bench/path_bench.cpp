// One case-insensitive lookup in a skins folder of N files, the way a skin
// name given in other letter case is found on disk.
#include "platform/CaseInsensitivePath.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

// A folder of `count` skin files, made once per size for the whole run.
const std::filesystem::path& skinsFolder(int count) {
    static std::map<int, std::filesystem::path> folders;
    auto& folder = folders[count];
    if (folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        for (int i = 0; i < count; ++i) {
            std::ofstream(folder / ("B" + std::to_string(i) + "MAFit_01.cmx"));
        }
    }
    return folder;
}

void ResolveInOtherCase(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto& folder = skinsFolder(count);
    const std::string wanted = "b" + std::to_string(count / 2) + "mafit_01.CMX";
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ResolveCaseInsensitive(folder, wanted));
    }
}
BENCHMARK(ResolveInOtherCase)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void ResolveExactCase(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto& folder = skinsFolder(count);
    const std::string wanted = "B" + std::to_string(count / 2) + "MAFit_01.cmx";
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ResolveCaseInsensitive(folder, wanted));
    }
}
BENCHMARK(ResolveExactCase)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
