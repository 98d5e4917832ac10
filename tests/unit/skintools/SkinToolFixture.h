#pragma once

#include "TestPaths.h"
#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/BmpCodec.h"
#include "platform/LanguageModule.h"
#include "platform/Progress.h"
#include "skins/MeshCheckCache.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinFolders.h"
#include "support/EnvOverride.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace corvane::test {

// A small game for the skin tools: its skins folder, the user's Trash and the
// editor's folder kept inside a temporary folder, and the US English texts.
class SkinToolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetLanguageModule(LanguageModule::load(CORVANE_LANG_DIR "/CV3Dusen.lng")); }
    static void TearDownTestSuite() { SetLanguageModule(LanguageModule()); }

    void SetUp() override {
        SharedMeshChecks().clear();
        game.installation(kLevel);
    }

    std::filesystem::path skins() const { return game.root() / "GameData" / "Skins"; }
    SkinFolders folders() const { return SkinFolders(game.root(), kLevel); }

    // A text character file in GameData/Skins named `suit` wearing one mesh,
    // with that mesh as a loose file, so the listing's check accepts it.
    void suit(const std::string& name) {
        const std::string mesh = "xskin-" + name + "-PELVIS-BODY";
        game.writeText("GameData\\Skins\\" + name + ".cmx", JoinCrLf(CharacterFileLines(SampleSuit(name, "PELVIS", mesh))));
        game.writeText("GameData\\Skins\\" + mesh + ".skn", JoinCrLf(MeshFileLines(SampleBodyMesh(mesh, "x"))));
    }

    // The game's textures archive holding `files`, with filler to make it count.
    void archive(std::vector<FarArchiveFile> files) {
        files.push_back({"filler.dat", std::vector<std::uint8_t>(1024, 0)});
        game.writeArchive("GameData/Textures/Textures.far", files);
    }

    SkinCatalogue& builtCatalogue() {
        DiscardSkinCatalogue(catalogue);
        SilentProgress quiet;
        LoadSkinData(catalogue, folders(), quiet);
        return catalogue;
    }

    // An 8-bit bitmap of that size.
    static std::vector<std::uint8_t> bitmap8(int width, int height) {
        std::vector<Rgb> palette(256);
        for (int i = 0; i < 256; ++i) palette[i] = {static_cast<std::uint8_t>(i), 0, 0};
        std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i);
        return EncodeBmp8(Bitmap::fromIndices(width, height, palette, indices));
    }

    std::filesystem::path writeBitmap(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const std::filesystem::path file = folder.path() / "pictures" / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    // Everything the Trash holds, by name.
    std::vector<std::string> trashed() const {
        std::vector<std::string> names;
        const std::filesystem::path files = folder.path() / "data" / "Trash" / "files";
        if (!std::filesystem::exists(files)) return names;
        for (const auto& entry : std::filesystem::directory_iterator(files)) names.push_back(entry.path().filename().string());
        return names;
    }

    static constexpr int kLevel = 7;
    TempDir folder;
    EnvOverride data{"XDG_DATA_HOME", (folder.path() / "data").string()};
    EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    GameBuilder game{folder.path() / "game"};
    SkinCatalogue catalogue;
    ScriptedDialogs dialogs;
};

}  // namespace corvane::test
