// The demo characters' portraits: drawn when asked, so the character list
// shows each character; the placeholders otherwise.
#include "demo/DemoInstallation.h"

#include "iff/IffContainer.h"
#include "neighbourhoods/NeighbourhoodLoader.h"
#include "platform/FileBytes.h"
#include "platform/Progress.h"
#include "render/CharacterImageChunk.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace corvane {
namespace {

TEST(DemoPortraits, DrawnPortraitsReplaceThePlaceholdersInEveryCharacterFile) {
    const struct {
        DemoPortraits portraits;
        std::vector<std::string> labels;  // of the BMP_ chunks, in file order
        Rgb thumbnailCorner;              // what the character list shows in the thumbnail's corner
    } cases[] = {
        {DemoPortraits::Placeholder, {"faces", "rel. images", "thumbnail"}, {20, 20, 120}},  // its diagonal
        {DemoPortraits::Drawn,
         {"web_image", "thumbnail", "speech_med", "speech_large", "rel. images", "faces"},
         {0, 0, 0}},  // the full-body background, black but for the JPEG's rounding
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portraits == DemoPortraits::Drawn ? "drawn" : "placeholder");
        test::TempDir folder;
        const std::filesystem::path game = EnsureDemoInstallation(folder.path(), c.portraits);
        NeighbourhoodLoadSettings load;
        load.folder = game / "UserData";
        load.expansionLevel = 7;
        load.hasFameFolders = true;
        load.applicationFolder = folder.path() / "app";
        test::ScriptedDialogs dialogs;  // any message fails the test
        SilentProgress progress;
        const OpenedNeighbourhood opened = OpenNeighbourhood(load, dialogs, progress);
        ASSERT_EQ(opened.characters.size(), 7u);
        for (std::size_t i = 0; i < opened.characters.size(); ++i) {
            const std::string& file = opened.characters[i]->FileName;
            SCOPED_TRACE(file);
            const auto bytes = ReadFileBytes(load.folder / "Characters" / (file + ".iff"));
            std::vector<std::string> labels;
            for (const Section& s : ReadChunkList(bytes).sections) {
                if (s.ChunkType == "BMP_") labels.push_back(s.ChunkLabel);
            }
            EXPECT_EQ(labels, c.labels);
            const std::optional<Bitmap>& thumbnail = opened.thumbnails[i];
            ASSERT_TRUE(thumbnail);
            EXPECT_EQ(thumbnail->width, 25);
            const Rgb corner = thumbnail->at(0, 0);
            EXPECT_LE(std::abs(corner.r - c.thumbnailCorner.r) + std::abs(corner.g - c.thumbnailCorner.g) +
                          std::abs(corner.b - c.thumbnailCorner.b),
                      12)
                << int(corner.r) << "," << int(corner.g) << "," << int(corner.b);
        }
    }
}

}  // namespace
}  // namespace corvane
