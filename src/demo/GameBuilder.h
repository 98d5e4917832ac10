#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "demo/FarArchiveWriter.h"

namespace corvane {

// Writes a synthetic game installation into a folder: the files and folders
// the editor looks for, with contents made in code. Tests build only what
// they need; the editor's demo mode builds a complete one.
class GameBuilder {
public:
    explicit GameBuilder(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }

    // "Sims.exe", "GameData/Skins" and the expansion pack folders of `level`
    // (0 to 7: "ExpansionPack", "ExpansionPack2" … "ExpansionPack<level>").
    GameBuilder& installation(int expansionLevel);
    // One expansion pack folder only, e.g. to leave a gap in the series.
    GameBuilder& expansionPack(int number);
    // A neighbourhood folder ("UserData", "UserData2", …) with its
    // "Characters" folder and, when it has none yet, a neighborhood.iff
    // without characters; returns its path.
    std::filesystem::path neighbourhood(const std::string& folderName);

    // Any file below the root, folders created on the way; `relative` may use
    // backslashes as the game writes its paths.
    std::filesystem::path writeFile(std::string_view relative, std::span<const std::uint8_t> bytes);
    std::filesystem::path writeText(std::string_view relative, std::string_view text);
    // A FAR archive of `files` (stored names and bytes) at `relative`.
    std::filesystem::path writeArchive(std::string_view relative, const std::vector<FarArchiveFile>& files);


private:
    std::filesystem::path pathOf(std::string_view relative) const;

    std::filesystem::path root_;
};

}  // namespace corvane
