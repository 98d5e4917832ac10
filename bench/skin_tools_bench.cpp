// The skin checks on the skins benchmark's installation: 20,000 loose skins,
// the eleven archives and a neighbourhood of 200 characters. The duplicate
// search's folder pass runs beside the pairwise reference on 50,000 files,
// and the missing-skin search beside a literal one that searches the folders
// for every name, so one run shows the ratios.
#include "BigInstallation.h"
#include "BigNeighbourhood.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/SilentDialogs.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skintools/DuplicateSearch.h"
#include "skintools/InstalledSkinIndex.h"
#include "skintools/MissingSkinSearch.h"
#include "skintools/ReferenceFolderDuplicates.h"
#include "skintools/SkinValidation.h"
#include "skintools/TextureCheck.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <system_error>

namespace {

constexpr int kLevel = 7;
constexpr int kCharacters = 200;

const std::filesystem::path& bigGame() {
    static const bench::BigInstallation game([](corvane::GameBuilder& builder) {
        bench::WriteLooseSkins(builder);
        bench::WriteSkinArchives(builder);
        bench::WriteBigNeighbourhood(builder, kCharacters, kLevel);
    });
    return game.root();
}

corvane::SkinFolders folders() {
    return corvane::SkinFolders(bigGame(), kLevel);
}

const corvane::SkinCatalogue& builtCatalogue() {
    static const corvane::SkinCatalogue catalogue = [] {
        corvane::SkinCatalogue built;
        corvane::SilentProgress quiet;
        corvane::LoadSkinData(built, folders(), quiet);
        return built;
    }();
    return catalogue;
}

const std::vector<std::unique_ptr<corvane::Sim>>& characters() {
    static const std::vector<std::unique_ptr<corvane::Sim>> loaded = [] {
        corvane::NeighbourhoodLoadSettings settings;
        settings.folder = bigGame() / "UserData";
        settings.expansionLevel = kLevel;
        settings.hasFameFolders = true;
        corvane::SilentDialogs dialogs;
        corvane::SilentProgress quiet;
        return std::move(corvane::OpenNeighbourhood(settings, dialogs, quiet).characters);
    }();
    return loaded;
}

std::vector<corvane::Sim*> firstCharacters(std::size_t count) {
    std::vector<corvane::Sim*> sims;
    for (const auto& sim : characters()) {
        if (sims.size() == count) break;
        sims.push_back(sim.get());
    }
    return sims;
}

void Validation(benchmark::State& state) {
    bigGame();  // written once, outside the timing
    corvane::SilentProgress quiet;
    for (auto _ : state) {
        corvane::SkinCatalogue catalogue;
        const auto result = corvane::ValidateSkins(folders(), catalogue, corvane::ScanControl{quiet, {}});
        benchmark::DoNotOptimize(result.problems.size());
    }
}
BENCHMARK(Validation)->Unit(benchmark::kMillisecond);

void DuplicateSearch(benchmark::State& state) {
    bigGame();
    corvane::SilentProgress quiet;
    for (auto _ : state) {
        corvane::SkinCatalogue catalogue;
        const auto result = corvane::SearchDuplicates(folders(), catalogue, corvane::ScanControl{quiet, {}});
        benchmark::DoNotOptimize(result.findings.size());
    }
}
BENCHMARK(DuplicateSearch)->Unit(benchmark::kMillisecond);

// A 2 GB texture, nearly all of it a hole, with an 8 x 8 picture in front:
// the check reads the picture's bytes, not the file.
void HugeSparseTextureCheck(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "corvane-sparse-texture-bench.bmp";
    const std::vector<std::uint8_t> picture = corvane::EncodeBmp24(corvane::Bitmap(8, 8, corvane::Rgb{1, 2, 3}));
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(picture.data()), static_cast<std::streamsize>(picture.size()));
    std::filesystem::resize_file(file, std::uintmax_t{2} << 30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::CheckTexture(file));
    }
    std::filesystem::remove(file);
}
BENCHMARK(HugeSparseTextureCheck)->Unit(benchmark::kMillisecond);

// 50,000 skin files over the 47 folders; every fifth name lies in two folders.
const std::vector<std::filesystem::path>& fiftyThousandFiles() {
    static const std::vector<std::filesystem::path> files = [] {
        std::vector<std::string> where = corvane::SkinFolders(bigGame(), kLevel).SearchFolders();
        for (const std::string& fallback : corvane::SkinFolders::FallbackFolders()) where.push_back(fallback);
        std::vector<std::filesystem::path> list;
        for (int i = 0; i < 50000; ++i) {
            const int name = i % 5 == 4 ? i - 1 : i;
            list.push_back(bigGame() / where[static_cast<std::size_t>(i) % where.size()] /
                           ("b" + std::to_string(name) + "mafitlgt_01.bmp"));
        }
        return list;
    }();
    return files;
}

void FolderDuplicatesLinear50k(benchmark::State& state) {
    fiftyThousandFiles();
    corvane::SilentProgress quiet;
    for (auto _ : state) {
        corvane::ProblemList findings;
        corvane::AppendFolderDuplicates(fiftyThousandFiles(), corvane::ScanControl{quiet, {}}, findings);
        benchmark::DoNotOptimize(findings.size());
    }
}
BENCHMARK(FolderDuplicatesLinear50k)->Unit(benchmark::kMillisecond);

void FolderDuplicatesPairwise50k(benchmark::State& state) {
    fiftyThousandFiles();
    for (auto _ : state) {
        corvane::ProblemList findings;
        corvane::reference::AppendFolderDuplicatesPairwise(fiftyThousandFiles(), findings);
        benchmark::DoNotOptimize(findings.size());
    }
}
BENCHMARK(FolderDuplicatesPairwise50k)->Unit(benchmark::kMillisecond)->Iterations(1);

void MissingSkinSearch(benchmark::State& state) {
    const auto sims = firstCharacters(static_cast<std::size_t>(state.range(0)));
    builtCatalogue();
    corvane::SilentProgress quiet;
    for (auto _ : state) {
        const corvane::InstalledSkinIndex installed(folders(), builtCatalogue());
        const auto result =
            corvane::SearchMissingSkins(sims, installed, {kLevel, true}, corvane::ScanControl{quiet, {}});
        benchmark::DoNotOptimize(result.rows.size());
    }
}
BENCHMARK(MissingSkinSearch)->Arg(20)->Arg(kCharacters)->Unit(benchmark::kMillisecond);

// SkinInstalled as written for a file system that ignores letter case: an
// existence test per search folder, a listing per fallback folder, then the
// archive lists entry by entry.
bool literalInstalled(const std::string& name, const std::string& extension) {
    if (name.empty()) return false;
    const std::string fileName = corvane::ToLowerAscii(name + extension);
    std::error_code ec;
    for (const std::string& folder : folders().SearchFolders()) {
        if (std::filesystem::is_regular_file(corvane::ResolveCaseInsensitive(bigGame(), folder + fileName), ec)) {
            return true;
        }
    }
    for (const std::string& folder : corvane::SkinFolders::FallbackFolders()) {
        const auto path = corvane::ResolveCaseInsensitive(bigGame(), folder);
        for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
            if (it->is_regular_file(ec) && corvane::ToLowerAscii(it->path().filename().string()) == fileName) {
                return true;
            }
        }
    }
    const bool mesh = extension == ".cmx";
    const auto& entries = mesh ? *builtCatalogue().ArchiveCharacterEntries : *builtCatalogue().ArchiveTextureEntries;
    const std::string wanted = mesh ? fileName + ".bcf" : fileName;
    for (const auto& entry : entries) {
        if (corvane::ToLowerAscii(entry.EntryName) == wanted) return true;
    }
    return false;
}

void MissingSkinSearchLiteral(benchmark::State& state) {
    const auto sims = firstCharacters(static_cast<std::size_t>(state.range(0)));
    builtCatalogue();
    for (auto _ : state) {
        std::size_t missing = 0;
        for (const corvane::Sim* sim : sims) {
            for (const corvane::SkinField& field : corvane::SkinFieldsToCheck(*sim, {kLevel, true})) {
                missing += literalInstalled(sim->*field.field, std::string(corvane::SkinFieldExtension(field))) ? 0 : 1;
            }
        }
        benchmark::DoNotOptimize(missing);
    }
}
BENCHMARK(MissingSkinSearchLiteral)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
