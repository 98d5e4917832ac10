// A makeover of an adult man on the large installation: new skins for every
// slot (there only bodies are installed, so the head and the outfits find
// nothing). As built, a makeover lists each mask once and draws from the list
// as often as it tries; the literal way lists the skins again on every one of
// its 101 or 11 attempts.
#include "BigInstallation.h"
#include "platform/Progress.h"
#include "sim/Makeover.h"
#include "skins/SkinCatalogueBuilder.h"

#include <benchmark/benchmark.h>

namespace {

const std::filesystem::path& bigGame() {
    static const bench::BigInstallation game([](corvane::GameBuilder& builder) {
        bench::WriteLooseSkins(builder);
        bench::WriteSkinArchives(builder);
    });
    return game.root();
}

struct Installation {
    corvane::SkinFolders folders{bigGame(), 7};
    corvane::SkinCatalogue catalogue;
    Installation() {
        corvane::SilentProgress quiet;
        corvane::LoadSkinData(catalogue, folders, quiet);
    }
    corvane::MakeoverSkins skins() const { return {{folders, catalogue}, nullptr}; }
};

Installation& installation() {
    static Installation made;
    return made;
}

std::unique_ptr<corvane::Sim> man() {
    auto sim = std::make_unique<corvane::Sim>();
    sim->FileName = "User00001";
    sim->AgeGroup = "adult";
    sim->Age = 27;
    sim->SkinAge = 27;
    sim->BodySize = "fit";
    sim->SkinColor = 1;
    sim->SkinTone = "lgt";
    return sim;
}

// Light skin and dark skin in turn: a new face each time.
void BM_MakeoverAsBuilt(benchmark::State& state) {
    const corvane::MakeoverSkins skins = installation().skins();
    corvane::Document document(7);
    std::vector<std::unique_ptr<corvane::Sim>> characters;
    characters.push_back(man());
    document.open(std::move(characters), {std::nullopt}, nullptr);
    document.select(0);
    int colour = 1;
    for (auto _ : state) {
        colour = colour == 1 ? 2 : 1;
        corvane::SetSkinColor(document, *document.current(), colour, skins);
    }
    benchmark::DoNotOptimize(document.current()->BodyMesh);
}
BENCHMARK(BM_MakeoverAsBuilt)->Unit(benchmark::kMillisecond);

// Each attempt asks for a random skin afresh, listing the mask's skins again.
std::pair<std::string, std::string> drawLiterally(const corvane::SkinSources& sources, const std::string& meshMask,
                                                  std::size_t stem, const std::string& tone, int attempts,
                                                  std::mt19937& random) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const std::string mesh = corvane::PickRandomSkin(sources, meshMask, random, nullptr);
        const std::string texture = corvane::PickRandomSkin(sources, mesh.substr(0, stem) + tone + "*.bmp", random, nullptr);
        if (!texture.empty()) return {mesh, texture};
    }
    return {};
}

void BM_MakeoverListingOnEveryAttempt(benchmark::State& state) {
    const corvane::MakeoverSkins skins = installation().skins();
    std::mt19937 random(1);
    int colour = 1;
    for (auto _ : state) {
        colour = colour == 1 ? 2 : 1;
        const std::string tone = colour == 1 ? "lgt" : "drk";
        benchmark::DoNotOptimize(drawLiterally(skins.sources, "c***ma*.cmx", 6, tone, 101, random));
        benchmark::DoNotOptimize(drawLiterally(skins.sources, "b***mafit*.cmx", 9, tone, 101, random));
        for (const char* outfit : {"f", "w", "h", "s", "l"}) {
            benchmark::DoNotOptimize(drawLiterally(skins.sources, std::string(outfit) + "***mafit*.cmx", 9, tone, 11, random));
        }
        for (int attempt = 0; attempt < 11; ++attempt) {
            if (!corvane::PickRandomSkin(skins.sources, "nmfit*.cmx", random, nullptr).empty()) break;
        }
    }
}
BENCHMARK(BM_MakeoverListingOnEveryAttempt)->Unit(benchmark::kMillisecond);

}  // namespace
