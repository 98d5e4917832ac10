// Pictures of the import, export and CMX builder pages with their preview, for
// looking at, written only when asked for (CORVANE_SCREENSHOT_OUT names a folder).

#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "skintools/ui/TCMXBuilderPage.h"
#include "skintools/ui/TImportPage.h"
#include "support/ui/Screenshots.h"

#include <QApplication>

#include <fstream>
#include <QPushButton>

namespace corvane {
namespace {

namespace fs = std::filesystem;

class SkinToolScreenshots : public test::ScreenshotEditorTest {
protected:
    fs::path skins() const { return game / "GameData" / "Skins"; }
};

TEST_F(SkinToolScreenshots, ImportExportAndBuilderPages) {
    window->show();
    // A bitmap outside the game, as a player would import it: a demo texture
    // brought down to 216 colours, as the game wants 8-bit textures.
    const Bitmap texture = LoadBmpWithSizeFix(ReadFileBytes(skins() / "b001mafitdrk_casual.bmp"));
    std::vector<Rgb> palette;
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                palette.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                                   static_cast<std::uint8_t>(b * 51)});
            }
        }
    }
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < texture.height; ++y) {
        for (int x = 0; x < texture.width; ++x) {
            const Rgb& colour = texture.at(x, y);
            indices.push_back(static_cast<std::uint8_t>((colour.r + 25) / 51 * 36 + (colour.g + 25) / 51 * 6 +
                                                        (colour.b + 25) / 51));
        }
    }
    const fs::path bitmap = folder.path() / "b001mafit-recoloured.bmp";
    const std::vector<std::uint8_t> bytes =
        EncodeBmp8(Bitmap::fromIndices(texture.width, texture.height, palette, indices));
    std::ofstream(bitmap, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    window->pageButton("btnImport")->click();
    static_cast<TImportPage*>(window->page(PageKind::Import))->CheckImportBitmap(bitmap, BitmapDecoding::WithSizeFix);
    QApplication::processEvents();
    test::SaveScreenshot(*window, "page-import");

    window->pageButton("btnExport")->click();
    QApplication::processEvents();
    test::SaveScreenshot(*window, "page-export");

    window->pageButton("btnCMXBuilder")->click();
    auto* builder = static_cast<TCMXBuilderPage*>(window->page(PageKind::CMXBuilder));
    builder->fileDropped(skins() / "xskin-b001mafit_01-PELVIS-BODY.skn");
    builder->fileDropped(skins() / "xskin-c001ma_bob-HEAD-HEAD.skn");
    QApplication::processEvents();
    test::SaveScreenshot(*window, "page-cmx-builder");
}

}  // namespace
}  // namespace corvane
