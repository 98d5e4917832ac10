#include "demo/GameBuilder.h"

#include "app/GameInstallation.h"
#include "demo/NeighbourhoodFileWriter.h"

#include <fstream>
#include <stdexcept>

namespace corvane {

GameBuilder::GameBuilder(std::filesystem::path root) : root_(std::move(root)) {
    std::filesystem::create_directories(root_);
}

GameBuilder& GameBuilder::installation(int expansionLevel) {
    // Enough of an executable for anyone who checks that it is one.
    writeText("Sims.exe", std::string("MZ\x90\0", 4) + "synthetic game for tests");
    std::filesystem::create_directories(pathOf("GameData/Skins"));
    for (int pack = 1; pack <= expansionLevel; ++pack) {
        expansionPack(pack);
    }
    return *this;
}

GameBuilder& GameBuilder::expansionPack(int number) {
    std::filesystem::create_directories(root_ / ExpansionPackFolder(number));
    return *this;
}

std::filesystem::path GameBuilder::neighbourhood(const std::string& folderName) {
    auto folder = root_ / folderName;
    std::filesystem::create_directories(folder / "Characters");
    if (!std::filesystem::exists(folder / "neighborhood.iff")) {
        writeFile(folderName + "/neighborhood.iff", MakeNeighbourhoodFile({}));
    }
    return folder;
}

std::filesystem::path GameBuilder::pathOf(std::string_view relative) const {
    std::string portable(relative);
    for (char& c : portable) {
        if (c == '\\') {
            c = '/';
        }
    }
    return root_ / portable;
}

std::filesystem::path GameBuilder::writeFile(std::string_view relative, std::span<const std::uint8_t> bytes) {
    auto path = pathOf(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path;
}

std::filesystem::path GameBuilder::writeText(std::string_view relative, std::string_view text) {
    return writeFile(relative, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::filesystem::path GameBuilder::writeArchive(std::string_view relative, const std::vector<FarArchiveFile>& files) {
    return writeFile(relative, MakeFarArchive(files));
}

}  // namespace corvane
