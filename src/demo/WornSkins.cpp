#include "demo/WornSkins.h"

#include "demo/SkinFileWriters.h"
#include "platform/BmpCodec.h"
#include "skins/SkinFolders.h"

namespace corvane {

void WriteWornSkins(GameBuilder& game, const std::vector<std::string>& bodyStrings) {
    const std::string mesh = "xskin-b001mafit_01-PELVIS-BODY";
    const SkinFolders folders(game.root(), 0);
    for (std::size_t i = 1; i < bodyStrings.size(); ++i) {
        const auto comma = bodyStrings[i].find(',');
        const auto equals = bodyStrings[i].find('=');
        if (comma == std::string::npos || equals == std::string::npos || comma == 0 || equals + 1 == bodyStrings[i].size()) {
            continue;
        }
        const std::string suit = bodyStrings[i].substr(0, comma);
        const std::string texture = bodyStrings[i].substr(equals + 1);
        if (folders.FindSkinFile(suit, ".cmx").empty()) {
            game.writeText("GameData\\Skins\\" + suit + ".cmx", JoinCrLf(CharacterFileLines(SampleSuit(suit, "PELVIS", mesh))));
        }
        if (folders.FindSkinFile(texture, ".bmp").empty()) {
            game.writeFile("GameData\\Skins\\" + texture + ".bmp", EncodeBmp24(Bitmap(8, 8, {120, 110, 100})));
        }
    }
}

}  // namespace corvane
