// Building the skin catalogue of a large installation: all eleven archives
// with 5,000 entries each (meshes, character files and textures) and 20,000
// loose meshes spread over the skin folders. Measured twice: as at start-up,
// when no folder has been listed yet, and as the rebuild after a skin tool
// discarded the catalogue, when the folder listings are still current.
#include "BigInstallation.h"
#include "skins/FarArchive.h"
#include "skins/FolderListingCache.h"
#include "skins/SkinCatalogueBuilder.h"

#include <benchmark/benchmark.h>

namespace {

using bench::kEntriesPerArchive;
using bench::kMeshesInArchives;

const std::filesystem::path& bigGame() {
    static const bench::BigInstallation game([](corvane::GameBuilder& builder) {
        bench::WriteSkinArchives(builder);
        bench::WriteLooseMeshes(builder);
    });
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
