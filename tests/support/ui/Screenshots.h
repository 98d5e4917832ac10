#pragma once

#include "support/ui/DemoEditorTest.h"

#include <QString>

#include <string>

class QWidget;

namespace corvane::test {

// Where pictures for looking at go: CORVANE_SCREENSHOT_OUT, empty when not set.
QString ScreenshotFolder();

// Saves the widget as "<name>.png" in the screenshot folder.
void SaveScreenshot(QWidget& widget, const QString& name);

// The six pictures of a character as the next save would take them (the
// editor's staged file for `fileName`), each four times enlarged, as
// "pictures-<name>-<label>.png".
void SaveStagedCharacterPictures(const std::string& fileName, const std::string& name);

// The demo editor for tests that only write pictures to look at: skipped
// unless CORVANE_SCREENSHOT_OUT names a folder (made when missing).
class ScreenshotEditorTest : public DemoEditorTest {
protected:
    void SetUp() override;
};

}  // namespace corvane::test
