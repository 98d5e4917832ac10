#include "demo/WornSkins.h"

#include "demo/DemoTextures.h"
#include "demo/DemoWardrobe.h"
#include "demo/SkinFileWriters.h"
#include "platform/AsciiText.h"
#include "skins/SkinFolders.h"

namespace corvane {

void WriteWornSkins(GameBuilder& game, const std::vector<std::string>& bodyStrings,
                    const std::set<std::string>& archived) {
    const SkinFolders folders(game.root(), 0);
    auto installed = [&](const std::string& name, const char* extension) {
        return archived.contains(ToLowerAscii(name)) || !folders.FindSkinFile(name, extension).empty();
    };
    for (std::size_t i = 1; i < bodyStrings.size(); ++i) {
        const auto comma = bodyStrings[i].find(',');
        const auto equals = bodyStrings[i].find('=');
        if (comma == std::string::npos || equals == std::string::npos || comma == 0 ||
            equals + 1 == bodyStrings[i].size()) {
            continue;
        }
        const std::string suit = bodyStrings[i].substr(0, comma);
        const std::string key = bodyStrings[i].substr(comma + 1, equals - comma - 1);
        const std::string texture = bodyStrings[i].substr(equals + 1);
        if (!installed(suit, ".cmx")) {
            const Suit standIn{suit, 0, {StandInSkin(suit, key)}};
            game.writeText("GameData\\Skins\\" + suit + ".cmx", JoinCrLf(CharacterFileLines(standIn)));
        }
        if (!installed(texture, ".bmp")) {
            game.writeFile("GameData\\Skins\\" + texture + ".bmp", TextureFileBytes(Bitmap(8, 8, {120, 110, 100})));
        }
    }
}

}  // namespace corvane
