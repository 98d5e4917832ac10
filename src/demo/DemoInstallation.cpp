#include "demo/DemoInstallation.h"

#include "demo/GameBuilder.h"

namespace corvane {

namespace {
constexpr int kDemoExpansionLevel = 7;
}

std::filesystem::path EnsureDemoInstallation(const std::filesystem::path& folder) {
    const std::filesystem::path game = folder / "The Sims";
    if (std::filesystem::exists(game / "Sims.exe")) {
        return game;
    }
    GameBuilder builder(game);
    builder.installation(kDemoExpansionLevel);
    for (const char* neighbourhood : {"UserData", "UserData2", "UserData3"}) {
        builder.neighbourhood(neighbourhood);
    }
    return game;
}

}  // namespace corvane
