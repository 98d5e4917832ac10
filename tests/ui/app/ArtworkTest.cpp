#include "app/ui/Artwork.h"

#include "support/ui/QtTestApplication.h"

#include <QApplication>
#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace corvane {
namespace {

const QRgb kMagentaRgb = qRgb(255, 0, 255);

class ArtworkTest : public ::testing::Test {
protected:
    // Fonts and painters need the application object.
    void SetUp() override { test::QtTestApplication(); }
};

// A picture strip the pages cut into an image list.
struct Strip {
    std::string name;
    QImage image;
    int cellWidth;
    int firstDrawnCell;  // cells before it are empty
};

std::vector<Strip> strips() {
    return {
        {"IMGHEARTS", ArtworkHearts(), kHeartCell, 1},
        {"IMGSM_X", ArtworkMissingPicture(), kHeartCell, 0},
        {"IMGJOBS", ArtworkJobs(), kJobIconWidth, 0},
    };
}

std::vector<QImage> cellsOf(const Strip& strip) {
    std::vector<QImage> cells;
    for (int left = 0; left < strip.image.width(); left += strip.cellWidth) {
        cells.push_back(strip.image.copy(left, 0, strip.cellWidth, strip.image.height()));
    }
    return cells;
}

// Antialiasing against the transparent colour leaves such pixels at shape
// edges; they would show as a pink fringe over the editor's blue.
bool isBlendWithMagenta(QRgb pixel) {
    return pixel != kMagentaRgb && qRed(pixel) >= 200 && qBlue(pixel) >= 200 && qGreen(pixel) <= 80;
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += wanted(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Pixels of the cell's middle that stand out from the cell's own background,
// taken from the same row near the left side: zero for a cell that holds only
// its background or tile.
int countPicturedPixels(const QImage& cell) {
    int count = 0;
    for (int y = cell.height() / 4; y < cell.height() * 3 / 4; ++y) {
        const QRgb background = cell.pixel(3, y);
        for (int x = cell.width() / 4; x < cell.width() * 3 / 4; ++x) {
            const QRgb pixel = cell.pixel(x, y);
            const int difference = std::max({std::abs(qRed(pixel) - qRed(background)),
                                             std::abs(qGreen(pixel) - qGreen(background)),
                                             std::abs(qBlue(pixel) - qBlue(background))});
            count += difference > 48 ? 1 : 0;
        }
    }
    return count;
}

int countDifferingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(ArtworkTest, EveryNamedPictureHasItsFixedSize) {
    const struct {
        const char* name;
        QImage direct;
        QSize size;
    } pictures[] = {
        {"IMGHEARTS", ArtworkHearts(), {100, 25}},
        {"IMGSM_X", ArtworkMissingPicture(), {25, 25}},
        {"IMGJOBS", ArtworkJobs(), {616, 22}},
        {"IMGCV3DLOGOSM", ArtworkLogoSmall(), {189, 189}},
        {"IMGCV3DLOGOBG", ArtworkLogoLarge(), {390, 390}},
    };
    for (const auto& picture : pictures) {
        const QImage byName = ArtworkByName(picture.name);
        EXPECT_EQ(byName.size(), picture.size) << picture.name;
        EXPECT_EQ(byName, picture.direct) << picture.name << " by name is another picture";
    }
    EXPECT_TRUE(ArtworkByName("IMGNOTHING").isNull());
    EXPECT_TRUE(ArtworkByName("imghearts").isNull()) << "resource names are exact";
    EXPECT_TRUE(ArtworkByName("").isNull());
}

TEST_F(ArtworkTest, StripCellsAreDrawnOnPureMagenta) {
    for (const Strip& strip : strips()) {
        EXPECT_EQ(strip.image.format(), QImage::Format_RGB32) << strip.name;
        EXPECT_EQ(countPixels(strip.image, isBlendWithMagenta), 0) << strip.name;
        const std::vector<QImage> cells = cellsOf(strip);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const QImage& cell = cells[i];
            SCOPED_TRACE(strip.name + " cell " + std::to_string(i));
            ASSERT_EQ(cell.width(), strip.cellWidth);
            const int w = cell.width() - 1;
            const int h = cell.height() - 1;
            for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}) {
                EXPECT_EQ(cell.pixel(corner), kMagentaRgb) << "corner " << corner.x() << "," << corner.y();
            }
            if (static_cast<int>(i) < strip.firstDrawnCell) {
                EXPECT_EQ(countPixels(cell, [](QRgb pixel) { return pixel != kMagentaRgb; }), 0) << "an empty cell";
            } else {
                EXPECT_GT(countPicturedPixels(cell), cell.width() * cell.height() / 40) << "an empty drawing";
            }
        }
    }
}

// A copied drawing, or one that only moved a pixel, would leave two cells alike.
TEST_F(ArtworkTest, StripCellsAreDistinctPictures) {
    for (const Strip& strip : strips()) {
        const std::vector<QImage> cells = cellsOf(strip);
        const int enough = strip.cellWidth * strip.image.height() / 10;
        for (std::size_t a = 0; a < cells.size(); ++a) {
            for (std::size_t b = a + 1; b < cells.size(); ++b) {
                EXPECT_GT(countDifferingPixels(cells[a], cells[b]), enough) << strip.name << " cells " << a << " and " << b;
            }
        }
    }
}

// The school page looks its icon up by career number 11, the school career.
TEST_F(ArtworkTest, SchoolIconStandsOutFromEveryCareerIcon) {
    const std::vector<QImage> icons = cellsOf(strips()[2]);
    ASSERT_EQ(icons.size(), static_cast<std::size_t>(kJobIcons));
    for (std::size_t i = 0; i < icons.size(); ++i) {
        if (i != 11) {
            EXPECT_GT(countDifferingPixels(icons[11], icons[i]), kJobIconWidth * kJobIconHeight / 4) << "icon " << i;
        }
    }
}

TEST_F(ArtworkTest, MagentaBecomesTransparentAndEveryOtherColourStays) {
    QImage image(4, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, kMagentaRgb);
    image.setPixel(1, 0, qRgb(254, 0, 255));
    image.setPixel(2, 0, qRgb(255, 0, 254));
    image.setPixel(3, 0, qRgb(0, 0, 0));
    const QImage masked = WithMagentaTransparent(image).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    for (int x = 1; x < 4; ++x) {
        EXPECT_EQ(masked.pixel(x, 0), image.pixel(x, 0)) << "pixel " << x << " is not magenta";
    }
}

TEST_F(ArtworkTest, ImageListCutsAStripIntoTransparentCells) {
    const std::vector<QPixmap> jobs = ImageListFromStrip(ArtworkJobs(), kJobIconWidth);
    ASSERT_EQ(jobs.size(), static_cast<std::size_t>(kJobIcons));
    const QImage school = jobs[11].toImage();
    EXPECT_EQ(school.size(), QSize(kJobIconWidth, kJobIconHeight));
    EXPECT_EQ(qAlpha(school.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(school.pixel(kJobIconWidth / 2, kJobIconHeight / 2)), 255);
}

TEST_F(ArtworkTest, LogosAndIconShowTheEmblemOnTheEditorsBlue) {
    const QRgb navy = qRgb(0, 64, 128);
    for (const QImage& logo : {ArtworkLogoSmall(), ArtworkLogoLarge()}) {
        SCOPED_TRACE(logo.width());
        EXPECT_EQ(logo.pixel(0, 0), navy);
        const QImage emblem = logo.copy(logo.width() / 4, logo.height() / 4, logo.width() / 2, logo.height() / 2);
        EXPECT_GT(countPixels(emblem, [navy](QRgb pixel) { return pixel != navy; }), emblem.width() * emblem.height() / 2);
        const QImage name = logo.copy(0, logo.height() * 4 / 5, logo.width(), logo.height() / 5);
        EXPECT_GT(countPixels(name, [](QRgb pixel) { return qGray(pixel) > 200; }), 0) << "the white name";
    }
    const QIcon icon = ApplicationIcon();
    for (int size : {16, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    }
}

// With CORVANE_ARTWORK_OUT naming a folder, every picture is written there as
// PNG, with 4× enlargements of the small ones, to be looked at.
TEST_F(ArtworkTest, WritesEveryPictureForALookWhenAsked) {
    const QString folder = qEnvironmentVariable("CORVANE_ARTWORK_OUT");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "CORVANE_ARTWORK_OUT not set";
    }
    ASSERT_TRUE(QDir().mkpath(folder));
    const QDir out(folder);
    for (const char* name : {"IMGHEARTS", "IMGSM_X", "IMGJOBS", "IMGCV3DLOGOSM", "IMGCV3DLOGOBG"}) {
        const QImage picture = ArtworkByName(name);
        ASSERT_TRUE(picture.save(out.filePath(QString(name) + ".png"))) << name;
        const QImage enlarged = picture.scaled(picture.size() * 4, Qt::KeepAspectRatio, Qt::FastTransformation);
        ASSERT_TRUE(enlarged.save(out.filePath(QString(name) + "_x4.png"))) << name;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QImage icon = ApplicationIcon().pixmap(size).toImage();
        ASSERT_TRUE(icon.save(out.filePath(QString("icon_%1.png").arg(size)))) << size;
    }
}

}  // namespace
}  // namespace corvane
