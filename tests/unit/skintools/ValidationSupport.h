#pragma once

// What the skin-tool tests share: a game folder built in code, the editor's
// own folder, the US English texts, and a scan nobody stops.
#include "TestPaths.h"
#include "demo/GameBuilder.h"
#include "platform/BmpCodec.h"
#include "platform/LanguageModule.h"
#include "platform/Progress.h"
#include "skins/FolderListingCache.h"
#include "skintools/ScanControl.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::test {

class SkinToolsTest : public ::testing::Test {
protected:
    SkinToolsTest() {
        SetLanguageModule(LanguageModule::load(std::filesystem::path(CORVANE_LANG_DIR) / "CV3Dusen.lng"));
    }
    ~SkinToolsTest() override {
        SetLanguageModule(LanguageModule());
        SharedFolderListings().clear();
    }

    std::filesystem::path writeBmp24(const std::string& relative, int width, int height) {
        return game.writeFile(relative, EncodeBmp24(Bitmap(width, height, Rgb{10, 20, 30})));
    }
    std::filesystem::path writeBmp8(const std::string& relative, int width, int height) {
        const auto pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        return game.writeFile(relative, EncodeBmp8(Bitmap::fromIndices(width, height, std::vector<Rgb>(256),
                                                                       std::vector<std::uint8_t>(pixels, 7))));
    }

    TempDir folder;
    EnvOverride appHome{"CORVANE_HOME", (folder.path() / "app").string()};
    GameBuilder game{folder.path() / "game"};
    SilentProgress progress;
    ScanControl control{progress, {}};
};

}  // namespace corvane::test
