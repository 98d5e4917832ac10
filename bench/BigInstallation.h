#pragma once

// The large skin installation of the skin benches: 20,000 loose skins (character
// files and their textures, bodies of several genders and sizes as players
// collect them) spread over the search and fallback folders, the eleven
// archives with 5,000 entries each (meshes, character files and textures), and
// 20,000 loose meshes.
#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "skins/SkinCatalogueBuilder.h"
#include "skins/SkinFolders.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <system_error>

namespace bench {

inline constexpr int kLooseSkins = 20000;
inline constexpr int kEntriesPerArchive = 5000;
inline constexpr int kLooseMeshes = 20000;
inline constexpr std::size_t kMeshesInArchives = 11 * ((kEntriesPerArchive + 2) / 3);  // every third entry
// The first archive's first mesh entry, which every loose character file wears.
inline const std::string kArchivedMesh = "xskin-b100000-PELVIS-BODY";

// The gender, age and size codes of the loose bodies, in turn.
inline const char* const kBodyKinds[] = {"mafit", "fafit", "mafat", "fafat", "maskn", "fcchd"};

// Loose skin i (with its extension): an even i is a body's character file, the
// odd i after it that body's light texture. Series 000 to 999 repeat.
inline std::string LooseSkinFile(int i) {
    const int body = i / 2;
    char name[64];
    std::snprintf(name, sizeof name, "b%03d%s%s_%d%s", body % 1000, kBodyKinds[body % 6], i % 2 == 0 ? "" : "lgt", body,
                  i % 2 == 0 ? ".cmx" : ".bmp");
    return name;
}

// The loose skins, one folder after another over the 16 search and 31
// fallback folders.
inline void WriteLooseSkins(corvane::GameBuilder& game) {
    std::vector<std::string> folders = corvane::SkinFolders(game.root(), 7).SearchFolders();
    for (const std::string& fallback : corvane::SkinFolders::FallbackFolders()) folders.push_back(fallback);
    for (int i = 0; i < kLooseSkins; ++i) {
        const std::string file = LooseSkinFile(i);
        const std::string& where = folders[static_cast<std::size_t>(i) % folders.size()];
        if (i % 2 == 0) {
            const std::string suit = file.substr(0, file.size() - 4);
            game.writeText(where + file, corvane::JoinCrLf(corvane::CharacterFileLines(
                                             corvane::SampleSuit(suit, "PELVIS", kArchivedMesh))));
        } else {
            game.writeText(where + file, "BM");
        }
    }
}

// One archive's files: a third meshes, a third character files, a third textures.
inline std::vector<corvane::FarArchiveFile> ArchiveFiles(int& serial) {
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

inline void WriteSkinArchives(corvane::GameBuilder& game) {
    int serial = 0;
    for (const std::string& archive : corvane::SkinArchives()) {
        game.writeArchive(archive, ArchiveFiles(serial));
    }
}

// The loose meshes, over the search folders.
inline void WriteLooseMeshes(corvane::GameBuilder& game) {
    const auto skinFolders = corvane::SkinFolders(game.root(), 7).SearchFolders();
    for (int i = 0; i < kLooseMeshes; ++i) {
        game.writeText(skinFolders[static_cast<std::size_t>(i) % skinFolders.size()] + "xskin-l" + std::to_string(i) +
                           "-PELVIS-BODY.skn",
                       "x");
    }
}

// A game at expansion level 7 written by `fill` into a fresh temporary
// folder, once for the whole run, and removed at its end.
class BigInstallation {
public:
    explicit BigInstallation(const std::function<void(corvane::GameBuilder&)>& fill) {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvane-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        corvane::GameBuilder game(folder_ / "game");
        game.installation(7);
        fill(game);
        root_ = game.root();
    }
    ~BigInstallation() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BigInstallation(const BigInstallation&) = delete;
    BigInstallation& operator=(const BigInstallation&) = delete;

    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path root_;
};

}  // namespace bench
