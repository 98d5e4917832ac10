// Saving characters of a neighbourhood of 200 characters whose
// neighborhood.iff is about 4 MB, with 20,000 loose skins installed: the
// body strings of one character (every skin looked up), and whole saves of
// 1, 20 and 200 modified characters (each reads and rewrites
// neighborhood.iff and its own file, all-or-nothing, with a flush to disk).
#include "BigNeighbourhood.h"
#include "demo/WornSkins.h"
#include "neighbourhoods/BodyStringsWriter.h"
#include "neighbourhoods/CharacterSave.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "skins/SkinCatalogueBuilder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kCharacters = 200;
constexpr int kLevel = 7;
constexpr int kLooseSkins = 20000;

struct Installation {
    std::filesystem::path game;
    std::filesystem::path neighbourhood;
};

const Installation& bigInstallation() {
    static const Installation installation = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-save-bench-XXXXXX").string();
        std::filesystem::path root = mkdtemp(pattern.data());
        setenv("CORVANE_HOME", (root / "app").c_str(), 1);
        corvane::GameBuilder game(root / "game");
        game.installation(kLevel);
        for (int i = 0; i < kLooseSkins; ++i) {
            game.writeText("ExpansionPack" + std::to_string(2 + i % 6) + "/Skins/b" + std::to_string(i) + "mafitlgt_x.bmp", "x");
        }
        corvane::WriteWornSkins(game, corvane::StandardBodyStrings("adult", kLevel));
        const auto neighbourhood = bench::WriteBigNeighbourhood(game, kCharacters, kLevel);
        return Installation{game.root(), neighbourhood};
    }();
    return installation;
}

struct Yes : corvane::Dialogs {
    corvane::ModalResult showMessage(const corvane::MessageRequest& r) override {
        return r.buttons.size() > 1 ? corvane::mrYes : corvane::mrOk;
    }
    std::optional<std::filesystem::path> chooseOpenFile(const corvane::FileRequest&) override { return {}; }
    std::optional<std::filesystem::path> chooseSaveFile(const corvane::FileRequest&) override { return {}; }
    std::optional<std::filesystem::path> chooseFolder(const corvane::FolderRequest&) override { return {}; }
};

corvane::CharacterList openList() {
    corvane::NeighbourhoodLoadSettings settings;
    settings.folder = bigInstallation().neighbourhood;
    settings.expansionLevel = kLevel;
    settings.hasFameFolders = true;
    Yes dialogs;
    corvane::SilentProgress quiet;
    auto opened = corvane::OpenNeighbourhood(settings, dialogs, quiet);
    corvane::CharacterList list;
    list.assign(std::move(opened.characters), std::move(opened.thumbnails), opened.imageStamp);
    return list;
}

const corvane::SkinCatalogue& catalogue() {
    corvane::SkinCatalogue& catalogue = corvane::GameSkinCatalogue();
    if (!catalogue.complete()) {
        corvane::SilentProgress quiet;
        corvane::LoadSkinData(catalogue, corvane::SkinFolders(bigInstallation().game, kLevel), quiet);
    }
    return catalogue;
}

void BodyStringsOfOneCharacter(benchmark::State& state) {
    const corvane::CharacterList list = openList();
    const corvane::SkinFolders folders(bigInstallation().game, kLevel);
    const corvane::InstalledSkins installed(folders, catalogue());
    const corvane::Sim& sim = *list.sims().front();
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::BuildBodyStrings(sim, kLevel, installed));
    }
}
BENCHMARK(BodyStringsOfOneCharacter)->Unit(benchmark::kMicrosecond);

void SaveModifiedCharacters(benchmark::State& state) {
    const auto modified = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        corvane::CharacterList list = openList();
        const auto sims = list.sims();
        for (std::size_t i = 0; i < modified; ++i) {
            sims[i]->Neat = sims[i]->Neat == 500 ? 600 : 500;
            sims[i]->Modified = true;
        }
        catalogue();
        state.ResumeTiming();
        Yes dialogs;
        corvane::SilentProgress quiet;
        corvane::CharacterSaveSettings settings;
        settings.gameFolder = bigInstallation().game;
        settings.neighbourhoodFolder = bigInstallation().neighbourhood;
        settings.applicationFolder = bigInstallation().game.parent_path() / "app";
        settings.expansionLevel = kLevel;
        corvane::CharacterSaveServices services{dialogs, quiet,
                                                []() -> const corvane::SkinCatalogue& { return catalogue(); }};
        corvane::SaveModifiedCharacters(list, settings, services);
    }
}
BENCHMARK(SaveModifiedCharacters)->Arg(1)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
