// Building the skin catalogue of a large installation: all eleven archives
// with 5,000 entries each (meshes, character files and textures) and 20,000
// loose meshes spread over the skin folders. Measured twice: as at start-up,
// when no folder has been listed yet, and as the rebuild after a skin tool
// discarded the catalogue, when the folder listings are still current.
#include "demo/GameBuilder.h"
#include "skins/FarArchive.h"
#include "skins/FolderListingCache.h"
#include "skins/SkinCatalogueBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <system_error>

namespace {

constexpr int kEntriesPerArchive = 5000;
constexpr int kLooseMeshes = 20000;
constexpr std::size_t kMeshesInArchives = 11 * ((kEntriesPerArchive + 2) / 3);  // every third entry

// One archive's files: a third meshes, a third character files, a third textures.
std::vector<corvane::FarArchiveFile> archiveFiles(int& serial) {
    std::vector<corvane::FarArchiveFile> files;
    for (int i = 0; i < kEntriesPerArchive; ++i, ++serial) {
        const std::string id = std::to_string(100000 + serial);
        const char* kinds[] = {"xskin-b", "-PELVIS-BODY.bmf", "b", "mafit_01.cmx.bcf", "b", "mafitlgt_01.bmp"};
        const std::size_t kind = static_cast<std::size_t>(i % 3) * 2;
        const std::string stored = std::string("D:\\Sims\\GameData\\Skins\\") + kinds[kind] + id + kinds[kind + 1];
        files.push_back({stored, {0, 1, 2, 3}});
    }
    return files;
}

// The installation, written once for the whole run and removed at its end.
class BigGame {
public:
    BigGame() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        corvane::GameBuilder game(folder_ / "game");
        game.installation(7);
        int serial = 0;
        for (const std::string& archive : corvane::SkinArchives()) {
            game.writeArchive(archive, archiveFiles(serial));
        }
        const auto skinFolders = corvane::SkinFolders(game.root(), 7).SearchFolders();
        for (int i = 0; i < kLooseMeshes; ++i) {
            game.writeText(skinFolders[static_cast<std::size_t>(i) % skinFolders.size()] + "xskin-l" +
                               std::to_string(i) + "-PELVIS-BODY.skn",
                           "x");
        }
        root_ = game.root();
    }
    ~BigGame() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BigGame(const BigGame&) = delete;
    BigGame& operator=(const BigGame&) = delete;

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path root_;
};

const std::filesystem::path& bigGame() {
    static const BigGame game;
    return game.root();
}

void buildOnce(const corvane::SkinFolders& folders, benchmark::State& state) {
    corvane::SilentProgress quiet;
    corvane::SkinCatalogue catalogue;
    corvane::LoadSkinData(catalogue, folders, quiet);
    if (catalogue.ArchiveReadError || catalogue.ArchiveMeshEntries->size() != kMeshesInArchives) {
        state.SkipWithError("the catalogue is not what the installation holds");
    }
    benchmark::DoNotOptimize(catalogue.ArchiveTextureEntries->size());
}

void BuildCatalogueAtStartUp(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) {
        corvane::SharedFolderListings().clear();
        buildOnce(folders, state);
    }
}
BENCHMARK(BuildCatalogueAtStartUp)->Unit(benchmark::kMillisecond)->UseRealTime();

void RebuildCatalogue(benchmark::State& state) {
    corvane::SkinFolders folders(bigGame(), 7);
    for (auto _ : state) {
        buildOnce(folders, state);
    }
}
BENCHMARK(RebuildCatalogue)->Unit(benchmark::kMillisecond)->UseRealTime();

// One archive's directory of 5,000 entries, both passes.
void ReadOneArchiveDirectory(benchmark::State& state) {
    const auto archive = corvane::SharedFolderListings().resolveExisting(bigGame(), corvane::SkinArchives().front());
    for (auto _ : state) {
        std::vector<corvane::FarRecordDetails> meshes, characters, textures;
        corvane::ReadArchiveDirectory(archive, corvane::CataloguePass::Mesh, {&meshes, nullptr, nullptr});
        corvane::ReadArchiveDirectory(archive, corvane::CataloguePass::Character, {nullptr, &characters, &textures});
        benchmark::DoNotOptimize(textures.size());
    }
    state.SetItemsProcessed(state.iterations() * kEntriesPerArchive);
}
BENCHMARK(ReadOneArchiveDirectory)->Unit(benchmark::kMicrosecond);

}  // namespace
