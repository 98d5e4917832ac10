// A character profile of a character wearing 10 character files, each with
// two meshes, each mesh with its own 256 x 256 24-bit texture (50 files, 20
// textures of 192 KB): collecting the files, writing the profile (about
// 5 MB of base64, all-or-nothing with a flush), reading and checking it, and
// the whole import (read, values as one edit through the editor's edits, 50
// files replaced in one journaled step with their old contents sent to the
// Trash, pictures staged).
#include "demo/CharacterFileWriter.h"
#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/Bitmap.h"
#include "platform/BmpCodec.h"
#include "platform/SilentDialogs.h"
#include "profiles/ProfileExport.h"
#include "profiles/ProfileImport.h"
#include "sim/Document.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kLevel = 7;

struct Setup {
    std::filesystem::path root;
    corvane::Sim sim;
    std::filesystem::path characterFile;
    std::filesystem::path profile;
};

const Setup& setup() {
    static const Setup made = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-profile-bench-XXXXXX").string();
        Setup s;
        s.root = mkdtemp(pattern.data());
        // The save journal and the Trash the replaced files go to, inside the bench's folder.
        setenv("CORVANE_HOME", (s.root / "app").c_str(), 1);
        setenv("XDG_DATA_HOME", (s.root / "data").c_str(), 1);
        corvane::GameBuilder game(s.root / "game");
        game.installation(kLevel);
        corvane::GameBuilder(s.root / "target").installation(kLevel);
        std::string corvane::Sim::*const meshes[] = {
            &corvane::Sim::BodyMesh,   &corvane::Sim::HeadMesh,    &corvane::Sim::NudeMesh,
            &corvane::Sim::SwimMesh,   &corvane::Sim::WinterMesh,  &corvane::Sim::FashionMesh,
            &corvane::Sim::FormalMesh, &corvane::Sim::PajamaMesh,  &corvane::Sim::OpenLHandMesh,
            &corvane::Sim::OpenRHandMesh};
        s.sim.FileName = "User00001";
        int n = 0;
        for (auto mesh : meshes) {
            const std::string cmx = "b" + std::to_string(n) + "mafit_01";
            corvane::Suit suit{cmx, 0, {}};
            for (const char* bone : {"PELVIS", "HEAD"}) {
                const std::string skn = "xskin-" + cmx + "-" + bone + "-BODY";
                const std::string texture = cmx + "lgt_" + bone;
                suit.skins.push_back({bone, skn});
                game.writeText("GameData\\Skins\\" + skn + ".skn",
                               corvane::JoinCrLf(corvane::MeshFileLines(corvane::SampleBodyMesh(skn, texture))));
                corvane::Bitmap picture(256, 256, {static_cast<std::uint8_t>(n * 20), 90, 160});
                game.writeFile("GameData\\Skins\\" + texture + ".bmp", corvane::EncodeBmp24(picture));
            }
            game.writeText("GameData\\Skins\\" + cmx + ".cmx", corvane::JoinCrLf(corvane::CharacterFileLines(suit)));
            s.sim.*mesh = cmx;
            ++n;
        }
        s.characterFile = game.writeFile("UserData\\Characters\\User00001.iff", corvane::MakeCharacterFile({}));
        s.profile = s.root / "bench.cvp";
        const auto files = corvane::CollectProfileFiles(s.sim, corvane::SkinFolders(game.root(), kLevel));
        corvane::ExportProfile(s.sim, s.characterFile, files, {}, s.profile);
        return s;
    }();
    // The game and the profiles go when the program ends.
    static const struct Removal {
        std::filesystem::path root;
        ~Removal() {
            std::error_code ignored;
            std::filesystem::remove_all(root, ignored);
        }
    } removal{made.root};
    return made;
}

void BM_CollectProfileFiles(benchmark::State& state) {
    const corvane::SkinFolders folders(setup().root / "game", kLevel);
    for (auto _ : state) benchmark::DoNotOptimize(corvane::CollectProfileFiles(setup().sim, folders));
}
BENCHMARK(BM_CollectProfileFiles)->Unit(benchmark::kMillisecond);

void BM_ExportProfile(benchmark::State& state) {
    const auto files = corvane::CollectProfileFiles(setup().sim, corvane::SkinFolders(setup().root / "game", kLevel));
    for (auto _ : state) {
        corvane::ExportProfile(setup().sim, setup().characterFile, files, {}, setup().root / "out.cvp");
    }
    state.counters["files"] = static_cast<double>(files.size());
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(setup().root / "out.cvp")) / 1e6;
}
BENCHMARK(BM_ExportProfile)->Unit(benchmark::kMillisecond);

void BM_ReadProfile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(corvane::ReadProfile(setup().profile));
}
BENCHMARK(BM_ReadProfile)->Unit(benchmark::kMillisecond);

void BM_ImportProfile(benchmark::State& state) {
    const corvane::SkinFolders target(setup().root / "target", kLevel);
    const std::filesystem::path skins = setup().root / "target" / "GameData" / "Skins";
    corvane::SilentDialogs dialogs;
    for (auto _ : state) {
        const corvane::Profile profile = corvane::ReadProfile(setup().profile);
        corvane::Document document(kLevel);
        std::vector<std::unique_ptr<corvane::Sim>> characters;
        characters.push_back(std::make_unique<corvane::Sim>());
        characters.back()->NeighborEntryPos = 100;  // its values live in neighborhood.iff
        characters.back()->PersonDataValues = 256;
        document.open(std::move(characters), std::vector<std::optional<corvane::Bitmap>>(1), nullptr);
        corvane::ApplyProfileValues(document, *document.sims()[0], profile, 1252);
        std::vector<std::string> offered;
        for (const auto& item : corvane::ProfilePreviewItems(profile)) offered.push_back(item.fileName);
        const auto result = corvane::InstallProfileFiles(profile, offered, target, skins, dialogs, corvane::mrAll);
        if (!result.failure.empty()) state.SkipWithError(result.failure.c_str());
        corvane::StageProfileImages(profile, setup().root / "app", "User00002");
    }
}
BENCHMARK(BM_ImportProfile)->Unit(benchmark::kMillisecond);

}  // namespace
