// Choosing a neighbourhood in the header.

#include "app/Settings.h"
#include "app/ui/TfrmMain.h"
#include "platform/CaseInsensitivePath.h"

#include <QComboBox>

namespace corvane {

void TfrmMain::cbNeighborhoodChange() {
    LockPages();
    ShowPage(pageButton("btnNeighborhood"));
    if (cbNeighborhood->currentIndex() >= 0) {
        AppSettings().NeighborhoodPath =
            ResolveCaseInsensitive(AppSettings().GamePath, cbNeighborhood->currentData().toString().toStdString());
    }
    // Reading neighborhood.iff and the characters comes with the neighbourhood loading.
    UnlockPages();
}

}  // namespace corvane
