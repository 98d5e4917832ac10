#include "render/TexturePictures.h"

#include "TestPictures.h"
#include "demo/GameBuilder.h"
#include "platform/BmpCodec.h"
#include "platform/Progress.h"
#include "render/MakeThumb.h"
#include "skins/SkinCatalogueBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

// Archives under a kilobyte are not read by the catalogue: every test archive carries filler.
FarArchiveFile Filler() { return {"filler.dat", std::vector<std::uint8_t>(1024, 0xA3)}; }

Bitmap Square(const Bitmap& source, int size) {
    Bitmap picture;
    ResampleToSquare(source, picture, size);
    return picture;
}

Bitmap Fitted(const Bitmap& source, int size) {
    Bitmap picture;
    ResampleToFit(source, picture, size);
    return picture;
}

class TexturePicturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearTexturePictureCache();
        game.installation(0);
    }

    std::filesystem::path loose(const std::string& name, const Bitmap& picture) {
        return game.writeFile("GameData/Skins/" + name, EncodeBmp24(picture));
    }
    void archive(std::vector<FarArchiveFile> files) {
        files.push_back(Filler());
        game.writeArchive("GameData/Textures/Textures.far", files);
    }
    void loadCatalogue() {
        DiscardSkinCatalogue(catalogue);
        SilentProgress progress;
        LoadSkinData(catalogue, folders, progress);
    }

    test::TempDir folder;
    GameBuilder game{folder.path()};
    SkinFolders folders{folder.path(), 0};
    SkinCatalogue catalogue;
    const Bitmap wide = test::NoisePicture(64, 32, 1);
    const Bitmap tall = test::NoisePicture(32, 64, 2);
    const Bitmap square = test::NoisePicture(48, 48, 3);
};

TEST_F(TexturePicturesTest, PicturesLooseFilesSquareAndArchiveEntriesFitted) {
    loose("b001fafit_loose.bmp", wide);
    loose("b003fafit_both.bmp", square);
    loose("b005fafit_broken.bmp", test::NoisePicture(4, 4, 9));
    game.writeText("GameData/Skins/b005fafit_broken.bmp", "not a picture");
    archive({{"Skins\\B002FAFIT_ARCH.BMP", EncodeBmp24(wide)},
             {"Skins\\b003fafit_both.bmp", EncodeBmp24(wide)},
             {"Skins\\b004fafit_twice.bmp", EncodeBmp24(tall)},
             {"Other\\B004FAFIT_TWICE.bmp", EncodeBmp24(wide)},
             {"Skins\\b006fafit_damaged.bmp", {'B', 'M', 0, 0}}});
    loadCatalogue();

    struct Case {
        const char* name;
        int size;
        std::optional<Bitmap> expected;
    };
    const Case cases[] = {
        {"B001FaFit_loose", 40, Square(wide, 40)},  // loose: square, aspect not kept
        {"b002fafit_arch", 40, Fitted(wide, 40)},   // archive, any letter case: 40 × 20
        {"b002fafit_arch", 32, Fitted(wide, 32)},   // the hands page's size
        {"b002fafit_arch", 128, Fitted(wide, 128)},
        {"b003fafit_both", 40, Square(square, 40)},  // the loose file comes before the archive
        {"b004fafit_twice", 40, Fitted(tall, 40)},   // the first entry of the name
        {"b005fafit_broken", 40, std::nullopt},      // a loose file that is no picture
        {"b006fafit_damaged", 40, std::nullopt},     // an archive entry that is no picture
        {"b007fafit_missing", 40, std::nullopt},
        {"b001fafit_loose", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(c.size));
        std::optional<Bitmap> picture;
        ASSERT_NO_THROW(picture = TexturePicture(folders, catalogue, c.name, c.size));
        ASSERT_EQ(picture.has_value(), c.expected.has_value());
        if (c.expected) {
            EXPECT_EQ(picture->width, c.expected->width);
            EXPECT_EQ(picture->height, c.expected->height);
            EXPECT_TRUE(picture->pixels == c.expected->pixels);
        }
    }
}

TEST_F(TexturePicturesTest, ListKeepsItsOrderWithNothingForTheMissingOnes) {
    loose("b001fafit_loose.bmp", square);
    game.writeText("GameData/Skins/b005fafit_broken.bmp", "not a picture");
    archive({{"Skins\\b002fafit_arch.bmp", EncodeBmp24(wide)}, {"Skins\\b004fafit_tall.bmp", EncodeBmp24(tall)}});
    loadCatalogue();

    const std::vector<std::string> names{"b002fafit_arch",  "b007fafit_missing", "b001fafit_loose", "b005fafit_broken",
                                         "b004fafit_tall",  "B002FAFIT_ARCH",    "b008fafit_missing"};
    const std::vector<std::optional<Bitmap>> expected{Fitted(wide, 40),  std::nullopt,     Square(square, 40),
                                                      std::nullopt,      Fitted(tall, 40), Fitted(wide, 40),
                                                      std::nullopt};
    // Made once, then again from the kept pictures.
    for (const char* round : {"made", "kept"}) {
        SCOPED_TRACE(round);
        const auto pictures = TexturePictures(folders, catalogue, names, 40);
        ASSERT_EQ(pictures.size(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            SCOPED_TRACE(names[i]);
            ASSERT_EQ(pictures[i].has_value(), expected[i].has_value());
            if (expected[i]) {
                EXPECT_EQ(pictures[i]->width, expected[i]->width);
                EXPECT_TRUE(pictures[i]->pixels == expected[i]->pixels);
            }
        }
    }
    EXPECT_TRUE(TexturePictures(folders, catalogue, {}, 40).empty());
}

TEST_F(TexturePicturesTest, AChangedFileIsPicturedAgainAnUnchangedOneComesFromTheCache) {
    const Bitmap first = test::NoisePicture(64, 64, 4);
    const Bitmap second = test::NoisePicture(64, 64, 5);
    const Bitmap third = test::NoisePicture(32, 32, 6);
    const auto file = loose("b001fafit_loose.bmp", first);
    loadCatalogue();
    auto pictureIs = [&](const Bitmap& texture) {
        return TexturePicture(folders, catalogue, "b001fafit_loose", 40)->pixels == Square(texture, 40).pixels;
    };
    EXPECT_TRUE(pictureIs(first));

    // Same length and time: the kept picture is shown.
    const auto written = std::filesystem::last_write_time(file);
    loose("b001fafit_loose.bmp", second);
    std::filesystem::last_write_time(file, written);
    EXPECT_TRUE(pictureIs(first));

    // Another time: made again.
    std::filesystem::last_write_time(file, written + std::chrono::seconds(10));
    EXPECT_TRUE(pictureIs(second));

    // Another length, same time: made again.
    const auto later = std::filesystem::last_write_time(file);
    loose("b001fafit_loose.bmp", third);
    std::filesystem::last_write_time(file, later);
    EXPECT_TRUE(pictureIs(third));

    // The same file at another size is a picture of its own.
    EXPECT_EQ(TexturePicture(folders, catalogue, "b001fafit_loose", 32)->width, 32);
}

// The catalogue's lists are rebuilt in place when it is read again: the
// lookup by name must follow, not answer from the old entries.
TEST_F(TexturePicturesTest, ArchiveLookupFollowsACatalogueReadAgain) {
    archive({{"Skins\\b002fafit_old.bmp", EncodeBmp24(wide)}});
    loadCatalogue();
    const TexturePictureSource before = FindTexturePictureSource(folders, catalogue, "B002FAFIT_OLD");
    ASSERT_NE(before.archiveEntry, nullptr);
    EXPECT_EQ(before.archiveEntry, &catalogue.ArchiveTextureEntries->front());
    EXPECT_TRUE(before.looseFile.empty());

    archive({{"Skins\\b003fafit_new.bmp", EncodeBmp24(tall)}});
    loadCatalogue();
    EXPECT_EQ(FindTexturePictureSource(folders, catalogue, "b002fafit_old").archiveEntry, nullptr);
    const TexturePictureSource after = FindTexturePictureSource(folders, catalogue, "b003fafit_new");
    ASSERT_NE(after.archiveEntry, nullptr);
    EXPECT_EQ(after.archiveEntry->EntryName, "b003fafit_new.bmp");

    const auto file = loose("b003fafit_new.bmp", square);
    const TexturePictureSource loosePicture = FindTexturePictureSource(folders, catalogue, "b003fafit_new");
    EXPECT_EQ(loosePicture.looseFile, file);
    EXPECT_EQ(loosePicture.archiveEntry, nullptr);
}

}  // namespace
}  // namespace corvane
