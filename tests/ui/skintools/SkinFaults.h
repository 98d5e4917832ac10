#pragma once

// Faults the skin tools find and repair, written into a game folder with the
// GameBuilder: textures the game cannot use and character files whose names
// are wrong.
#include "demo/GameBuilder.h"
#include "demo/SkinFileWriters.h"
#include "platform/Bitmap.h"
#include "platform/BmpCodec.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace corvane::test {

// A true-colour picture with far more than 256 colours, so that turning it
// into 8 bits has to choose a palette.
inline Bitmap ColourfulPicture(int width, int height) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.set(x, y, {static_cast<std::uint8_t>(x * 255 / width), static_cast<std::uint8_t>(y * 255 / height),
                               static_cast<std::uint8_t>((x + y) * 127 / (width + height) + 64)});
        }
    }
    return picture;
}

inline std::filesystem::path WriteTrueColourTexture(GameBuilder& game, const std::string& relative, int width,
                                                    int height) {
    return game.writeFile(relative, EncodeBmp24(ColourfulPicture(width, height)));
}

// A character file named `fileName` whose suit is `suitName`, wearing `meshes`
// on the pelvis, then the head.
inline std::filesystem::path WriteCharacterFile(GameBuilder& game, const std::string& fileName,
                                                const std::string& suitName, const std::vector<std::string>& meshes) {
    Suit suit{suitName, 0, {}};
    const char* bones[] = {"PELVIS", "HEAD"};
    for (std::size_t i = 0; i < meshes.size(); ++i) suit.skins.push_back({bones[i % 2], meshes[i]});
    return game.writeText("GameData/Skins/" + fileName, JoinCrLf(CharacterFileLines(suit)));
}

// The faults the validation page lists, in the order it lists them:
// b901mafit_new.cmx names its suit b901mafit_old ("BadName"); b902mafit_01.cmx
// has a wrong suit name and two meshes nobody installed ("BadName",
// "MissingSKN": the first unknown line of a file whose name is not found is
// taken for its suit name);
// b901mafitlgt_a.bmp is a 24-bit 256 × 256 texture ("BmpColors");
// b901mafitlgt_b.bmp is 100 × 100 ("BmpDimensions").
struct SeededFaults {
    std::filesystem::path badName;
    std::filesystem::path badNameAndMesh;
    std::filesystem::path colours;
    std::filesystem::path dimensions;
};

inline constexpr const char* kInstalledMesh = "xskin-b901mafit_01-PELVIS-BODY";
inline constexpr const char* kUnknownMesh = "xskin-qqq_zz-PELVIS-BODY";
inline constexpr const char* kUnknownHead = "xskin-qqq_zz-HEAD-HEAD";

inline SeededFaults SeedSkinFaults(GameBuilder& game) {
    game.writeText(std::string("GameData/Skins/") + kInstalledMesh + ".skn",
                   JoinCrLf(MeshFileLines(SampleBodyMesh(kInstalledMesh, "b901mafitlgt_a"))));
    SeededFaults faults;
    faults.badName = WriteCharacterFile(game, "b901mafit_new.cmx", "b901mafit_old", {kInstalledMesh});
    faults.badNameAndMesh = WriteCharacterFile(game, "b902mafit_01.cmx", "b902mafit_old", {kUnknownMesh, kUnknownHead});
    faults.colours = WriteTrueColourTexture(game, "GameData/Skins/b901mafitlgt_a.bmp", 256, 256);
    faults.dimensions = WriteTrueColourTexture(game, "GameData/Skins/b901mafitlgt_b.bmp", 100, 100);
    return faults;
}

}  // namespace corvane::test
