#include "support/ui/Screenshots.h"

#include "app/ui/BitmapImage.h"
#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/BmpCodec.h"
#include "platform/FileBytes.h"

#include <QDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace corvane::test {

QString ScreenshotFolder() {
    return qEnvironmentVariable("CORVANE_SCREENSHOT_OUT");
}

void ScreenshotEditorTest::SetUp() {
    if (ScreenshotFolder().isEmpty()) GTEST_SKIP() << "CORVANE_SCREENSHOT_OUT not set";
    ASSERT_TRUE(QDir().mkpath(ScreenshotFolder()));
    DemoEditorTest::SetUp();
}

void SaveScreenshot(QWidget& widget, const QString& name) {
    const QString file = QDir(ScreenshotFolder()).filePath(name + ".png");
    EXPECT_TRUE(widget.grab().save(file)) << file.toStdString();
}

void SaveStagedCharacterPictures(const std::string& fileName, const std::string& name) {
    const auto bytes = ReadFileBytes(CharacterImageFile(ApplicationFolder(), fileName));
    std::size_t at = 0;
    while (at + 76 <= bytes.size()) {
        const std::size_t length = std::size_t{bytes[at + 4]} << 24 | std::size_t{bytes[at + 5]} << 16 |
                                   std::size_t{bytes[at + 6]} << 8 | bytes[at + 7];
        ASSERT_GE(length, 76u);
        ASSERT_LE(at + length, bytes.size());
        const std::string label(reinterpret_cast<const char*>(&bytes[at + 12]));
        const Bitmap picture = DecodeBmp(std::span(bytes).subspan(at + 76, length - 76), label);
        const QImage enlarged = ImageOfBitmap(picture).scaled(picture.width * 4, picture.height * 4);
        const QString fileLabel = QString::fromStdString(label).replace(". ", "_");
        EXPECT_TRUE(enlarged.save(
            QDir(ScreenshotFolder()).filePath(QString("pictures-%1-%2.png").arg(QString::fromStdString(name), fileLabel))));
        at += length;
    }
}

}  // namespace corvane::test
