// Pictures of the skin pages and of the character pictures the editor draws,
// written only when asked for (CORVANE_SCREENSHOT_OUT names a folder), for
// looking at them: a demo adult, then the same man in the real outfit of
// CORVANE_REALDATA_DIR when that folder is there.
#include "skins/ui/THandsPage.h"

#include "app/ui/BitmapImage.h"
#include "demo/GameBuilder.h"
#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"
#include "sim/SkinEdits.h"
#include "support/ui/DemoEditorTest.h"

#include <QApplication>
#include <QDir>

namespace corvane {
namespace {

QString outFolder() {
    return qEnvironmentVariable("CORVANE_SCREENSHOT_OUT");
}

class SkinPageScreenshots : public test::DemoEditorTest {
protected:
    void SetUp() override {
        if (outFolder().isEmpty()) GTEST_SKIP() << "CORVANE_SCREENSHOT_OUT not set";
        ASSERT_TRUE(QDir().mkpath(outFolder()));
        DemoEditorTest::SetUp();
    }

    void grabPages(const std::string& name) {
        for (const char* page : {"btnNormal", "btnHands"}) {
            window->pageButton(page)->click();
            QApplication::processEvents();
            const QString file = QDir(outFolder()).filePath(QString("%1-%2.png").arg(page, QString::fromStdString(name)));
            ASSERT_TRUE(window->grab().save(file)) << file.toStdString();
        }
    }

    // The six pictures as the next save would take them, each four times enlarged.
    void grabPictures(const std::string& name) {
        window->MakeCharacterImages();
        const auto bytes = ReadFileBytes(CharacterImageFile(ApplicationFolder(), "User00001"));
        std::size_t at = 0;
        while (at + 76 <= bytes.size()) {
            const std::size_t length = std::size_t{bytes[at + 4]} << 24 | std::size_t{bytes[at + 5]} << 16 |
                                       std::size_t{bytes[at + 6]} << 8 | bytes[at + 7];
            ASSERT_GE(length, 76u);
            ASSERT_LE(at + length, bytes.size());
            const std::string label(reinterpret_cast<const char*>(&bytes[at + 12]));
            const Bitmap picture = DecodeBmp(std::span(bytes).subspan(at + 76, length - 76), label);
            const QImage enlarged = ImageOfBitmap(picture).scaled(picture.width * 4, picture.height * 4);
            QString fileLabel = QString::fromStdString(label).replace(". ", "_");
            ASSERT_TRUE(enlarged.save(QDir(outFolder()).filePath(QString("pictures-%1-%2.png")
                                                                   .arg(QString::fromStdString(name), fileLabel))));
            at += length;
        }
    }
};

TEST_F(SkinPageScreenshots, ADemoAdult) {
    select("User00001");
    grabPages("demo");
    grabPictures("demo");
}

class RealOutfitScreenshots : public SkinPageScreenshots {
protected:
    void SetUp() override {
        const std::filesystem::path real(CORVANE_REALDATA_DIR);
        if (!std::filesystem::is_directory(real)) GTEST_SKIP() << "no real files here";
        GameBuilder installation(game);
        for (const auto& entry : std::filesystem::directory_iterator(real)) {
            if (entry.path().extension() == ".md") continue;
            std::filesystem::copy_file(entry.path(), game / "GameData/Skins" / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }
        SkinPageScreenshots::SetUp();
    }
};

TEST_F(RealOutfitScreenshots, TheRealOutfit) {
    Sim& victor = select("User00001");
    Document& document = window->document();
    DressSlot(document, victor, SkinSlot::Body, {"B001MAFit_01", "B001MAFitlgt_relax"});
    DressSlot(document, victor, SkinSlot::Head, {"C003MA_RomanCrew", "C003MAlgt_Dad02"});
    DressSlot(document, victor, SkinSlot::OpenHandLeft, {"HMLO", "HUAOlgt"});
    DressSlot(document, victor, SkinSlot::OpenHandRight, {"HMRO", "HUAOlgt"});
    grabPages("real");
    grabPictures("real");
}

}  // namespace
}  // namespace corvane
