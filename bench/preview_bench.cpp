// The 3D preview on the demo installation: loading and posing the four
// models of a character, drawing one frame of the preview, and the
// off-screen pictures of a character in each of their sizes (software
// OpenGL, Mesa llvmpipe, without a display).
#include "demo/DemoInstallation.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "render/PreviewComposition.h"
#include "render/PreviewModelLoading.h"
#include "render/PreviewScene.h"
#include "render/SurfacelessGlContext.h"
#include "skins/SkinCatalogueBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

struct Quiet : corvane::Dialogs {
    corvane::ModalResult showMessage(const corvane::MessageRequest&) override { return corvane::mrOk; }
    std::optional<std::filesystem::path> chooseOpenFile(const corvane::FileRequest&) override { return {}; }
    std::optional<std::filesystem::path> chooseSaveFile(const corvane::FileRequest&) override { return {}; }
    std::optional<std::filesystem::path> chooseFolder(const corvane::FolderRequest&) override { return {}; }
};

// Victor of the demo, his skins found and the catalogue built.
struct DemoCharacter {
    std::filesystem::path game;
    corvane::Sim sim;
    corvane::SkinFolders folders{{}, 7};
    std::vector<corvane::PreviewMesh> meshes;

    static const DemoCharacter& get() {
        static const DemoCharacter character = [] {
            std::string pattern = (std::filesystem::temp_directory_path() / "corvane-preview-bench-XXXXXX").string();
            const std::filesystem::path root = mkdtemp(pattern.data());
            DemoCharacter c;
            c.game = corvane::EnsureDemoInstallation(root);
            c.folders = corvane::SkinFolders(c.game, 7);
            corvane::SilentProgress quiet;
            corvane::LoadSkinData(corvane::GameSkinCatalogue(), c.folders, quiet);
            corvane::NeighbourhoodLoadSettings load;
            load.folder = c.game / "UserData";
            load.expansionLevel = 7;
            load.hasFameFolders = true;
            Quiet dialogs;
            auto opened = corvane::OpenNeighbourhood(load, dialogs, quiet);
            for (auto& sim : opened.characters) {
                if (sim->FileName == "User00001") c.sim = *sim;
            }
            c.meshes = corvane::CollectPreviewMeshes(corvane::SlotsForOutfit(c.sim, corvane::Outfit::Everyday), c.folders,
                                                     corvane::GameSkinCatalogue(), dialogs);
            return c;
        }();
        return character;
    }

    std::vector<corvane::LoadedSknModel> load() const {
        Quiet dialogs;
        return corvane::LoadPreviewModels(meshes, corvane::SkeletonFileFor(sim), false, folders, corvane::GameSkinCatalogue(),
                                          game.parent_path(), dialogs)
            .models;
    }
};

std::vector<corvane::ModelWithTexture> withTextures(const std::vector<corvane::LoadedSknModel>& loaded) {
    std::vector<corvane::ModelWithTexture> models;
    for (const auto& one : loaded) models.push_back({&one.model, &one.texture});
    return models;
}

void LoadAndPoseFourModels(benchmark::State& state) {
    const DemoCharacter& character = DemoCharacter::get();
    for (auto _ : state) {
        auto loaded = character.load();
        if (loaded.size() != 4) state.SkipWithError("the demo character has not four models");
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(LoadAndPoseFourModels)->Unit(benchmark::kMillisecond);

void DrawPreviewFrame(benchmark::State& state) {
    const DemoCharacter& character = DemoCharacter::get();
    const auto loaded = character.load();
    corvane::SurfacelessGlContext context;
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::RenderPreviewPicture(withTextures(loaded), size, size, 0x804000,
                                                               corvane::PreviewView(), context.procLookup()));
    }
}
BENCHMARK(DrawPreviewFrame)->Arg(200)->Arg(391)->Unit(benchmark::kMillisecond);

// One picture of each size the game keeps: (width, height, image kind).
void RenderOffscreenPicture(benchmark::State& state) {
    const DemoCharacter& character = DemoCharacter::get();
    const auto loaded = character.load();
    corvane::SurfacelessGlContext context;
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const int kind = static_cast<int>(state.range(2));
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::RenderOffscreen(withTextures(loaded), width, height, kind, context.procLookup()));
    }
}
BENCHMARK(RenderOffscreenPicture)
    ->Args({45, 45, 0})
    ->Args({25, 25, 0})
    ->Args({16, 16, 1})
    ->Args({32, 32, 1})
    ->Args({40, 40, 2})
    ->Args({35, 41, 7})
    ->Unit(benchmark::kMillisecond);

}  // namespace
