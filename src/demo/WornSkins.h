#pragma once

#include "demo/GameBuilder.h"

#include <string>
#include <vector>

namespace corvane {

// Installs every skin that body strings name ("mesh,KEY=texture") as small
// loose files in GameData/Skins, unless the game already has it, so that the
// characters wearing them keep them when they are saved.
void WriteWornSkins(GameBuilder& game, const std::vector<std::string>& bodyStrings);

}  // namespace corvane
