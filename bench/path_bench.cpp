// One case-insensitive lookup in a skins folder of N files, the way a skin
// name given in other letter case is found on disk. The lookup lists the
// folder on every call, so its cost grows with the folder.
#include "platform/AsciiText.h"
#include "platform/CaseInsensitivePath.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <system_error>

namespace {

std::string skinFileName(int number) {
    return "B" + std::to_string(number) + "MAFit_01.cmx";
}

// A temporary folder of `count` empty skin files, removed again at the end.
class SkinsFolder {
public:
    explicit SkinsFolder(int count) {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        for (int i = 0; i < count; ++i) {
            std::ofstream(path_ / skinFileName(i));
        }
    }
    ~SkinsFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    SkinsFolder(const SkinsFolder&) = delete;
    SkinsFolder& operator=(const SkinsFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Writing 20,000 files takes longer than the lookups measured, so each size is
// made once for the whole run, not once per benchmark run.
class SkinsFolderFixture : public benchmark::Fixture {
public:
    void SetUp(benchmark::State& state) override {
        const int count = static_cast<int>(state.range(0));
        static std::map<int, SkinsFolder> folders;
        folder_ = &folders.try_emplace(count, count).first->second.path();
        middleName_ = skinFileName(count / 2);
    }

protected:
    const std::filesystem::path* folder_ = nullptr;
    std::string middleName_;  // a file halfway through the listing
};

BENCHMARK_DEFINE_F(SkinsFolderFixture, ResolveInOtherCase)(benchmark::State& state) {
    const std::string wanted = corvane::ToLowerAscii(middleName_);
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ResolveCaseInsensitive(*folder_, wanted));
    }
}
BENCHMARK_REGISTER_F(SkinsFolderFixture, ResolveInOtherCase)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

BENCHMARK_DEFINE_F(SkinsFolderFixture, ResolveExactCase)(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ResolveCaseInsensitive(*folder_, middleName_));
    }
}
BENCHMARK_REGISTER_F(SkinsFolderFixture, ResolveExactCase)->Arg(1000)->Arg(20000)->Unit(benchmark::kMicrosecond);

}  // namespace
