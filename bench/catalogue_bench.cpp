// Building the skin catalogue of a large installation: all eleven archives
// with 5,000 entries each (meshes, character files and textures) and 20,000
// loose meshes spread over the skin folders.
#include "demo/GameBuilder.h"
#include "skins/SkinCatalogueBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kEntriesPerArchive = 5000;
constexpr int kLooseMeshes = 20000;

const std::filesystem::path& bigGame() {
    static const std::filesystem::path root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        std::filesystem::path folder = mkdtemp(pattern.data());
        corvane::GameBuilder game(folder / "game");
        game.installation(7);
        int serial = 0;
        for (const std::string& archive : corvane::SkinArchives()) {
            std::vector<corvane::FarArchiveFile> files;
            for (int i = 0; i < kEntriesPerArchive; ++i, ++serial) {
                const std::string id = std::to_string(100000 + serial);
                const char* kinds[] = {"xskin-b", ".bmf", "b", "mafit_01.cmx.bcf", "b", "mafitlgt_01.bmp"};
                const int kind = (i % 3) * 2;
                files.push_back({std::string("D:\\Sims\\") + kinds[kind] + id + kinds[kind + 1], {0, 1, 2, 3}});
            }
            game.writeArchive(archive, files);
        }
        const auto folders = corvane::SkinFolders(game.root(), 7).SearchFolders();
        for (int i = 0; i < kLooseMeshes; ++i) {
            game.writeText(folders[static_cast<std::size_t>(i) % folders.size()] + "xskin-l" + std::to_string(i) +
                               "-PELVIS-BODY.skn",
                           "x");
        }
        return game.root();
    }();
    return root;
}

void BuildCatalogue(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    corvane::SilentProgress quiet;
    for (auto _ : state) {
        corvane::SkinCatalogue catalogue;
        corvane::LoadSkinData(catalogue, folders, quiet);
        benchmark::DoNotOptimize(catalogue.ArchiveTextureEntries->size());
    }
}
BENCHMARK(BuildCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace
