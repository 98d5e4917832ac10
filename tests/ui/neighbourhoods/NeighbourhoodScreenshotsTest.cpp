// A picture of the Neighbourhood page for looking at, written only when asked
// for (CORVANE_SCREENSHOT_OUT names a folder): both trees and a description.

#include "neighbourhoods/NeighbourhoodCopies.h"
#include "neighbourhoods/NeighbourhoodFolders.h"
#include "neighbourhoods/ui/TNeighbourhoodPage.h"
#include "platform/Progress.h"
#include "support/ui/Screenshots.h"

#include <QApplication>
#include <QTreeWidget>

namespace corvane {
namespace {

class NeighbourhoodScreenshots : public test::ScreenshotEditorTest {};

TEST_F(NeighbourhoodScreenshots, BothTreesAndADescription) {
    test::EnvOverride trash{"XDG_DATA_HOME", (folder.path() / "data").string()};
    SaveNeighbourhoodDescription(game / "UserData",
                                 "The Marlows and their neighbour Iris Vale.\r\nBacked up before the party.");
    SilentProgress quiet;
    for (const char* name : {"UserData", "UserData3"}) BackUpNeighbourhood(game / name, BackupsFolder(), quiet);
    window->page(PageKind::Neighbourhood)->showPage();
    QApplication::processEvents();
    test::SaveScreenshot(*window, "neighbourhood-page");
}

}  // namespace
}  // namespace corvane
