// The neighbourhood page's blur boxes: whether the game blurs nude people and pets.

#include "app/Settings.h"
#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmMain.h"
#include "skins/CensorFiles.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

namespace corvane {

namespace {

struct BlurBox {
    CensorKind kind;
    const char* box;
    const char* label;
    int left;
    int top;
};

constexpr BlurBox kBlurBoxes[] = {
    {CensorKind::Adult, "ckBlurAdult", "lblBlurAdult", 110, 420},
    {CensorKind::Child, "ckBlurChild", "lblBlurChild", 200, 420},
    {CensorKind::Dog, "ckBlurDog", "lblBlurDog", 110, 442},
    {CensorKind::Cat, "ckBlurCat", "lblBlurCat", 200, 442},
};

SkinFolders gameSkinFolders() {
    const Settings& settings = AppSettings();
    return SkinFolders(settings.GamePath, settings.ExpansionLevel);
}

}  // namespace

void TfrmMain::createBlurCheckBoxes(QGroupBox* neighbourhood) {
    auto label = [&](const char* name, int left, int top, int width) {
        auto* created = new QLabel(neighbourhood);
        created->setObjectName(name);
        created->setGeometry(left, top, width, 20);
    };
    label("lblBlur", 10, 420, 95);
    label("lblBlurryPets", 10, 442, 95);
    for (const BlurBox& blur : kBlurBoxes) {
        auto* box = new QCheckBox(neighbourhood);
        box->setObjectName(blur.box);
        box->setGeometry(blur.left, blur.top, 18, 20);
        label(blur.label, blur.left + 20, blur.top, 65);
        blurBoxes_[blur.kind] = box;
        connect(box, &QCheckBox::toggled, this, [this, kind = blur.kind](bool checked) { blurBoxChanged(kind, checked); });
    }
    ckBlurAdult = blurBoxes_[CensorKind::Adult];
    ckBlurChild = blurBoxes_[CensorKind::Child];
    ckBlurDog = blurBoxes_[CensorKind::Dog];
    ckBlurCat = blurBoxes_[CensorKind::Cat];
}

void TfrmMain::setBlurCheckBoxes() {
    BusyLoading = true;
    const SkinFolders folders = gameSkinFolders();
    ckBlurAdult->setChecked(BlurOn(folders, CensorKind::Adult));
    ckBlurChild->setChecked(BlurOn(folders, CensorKind::Child));
    if (folders.expansionLevel() > 4) {
        ckBlurDog->setChecked(BlurOn(folders, CensorKind::Dog));
        ckBlurCat->setChecked(BlurOn(folders, CensorKind::Cat));
    }
}

void TfrmMain::blurBoxChanged(CensorKind kind, bool checked) {
    // Start-up and loading set the boxes from the files; that writes nothing.
    if (BusyLoading) return;
    ReportFailure(services_.dialogs, [&] { SetBlur(gameSkinFolders(), kind, checked); });
}

}  // namespace corvane
