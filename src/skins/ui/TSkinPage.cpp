#include "skins/ui/TSkinPage.h"

#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "sim/Traits.h"
#include "skins/SkinFolders.h"
#include "skins/ui/TSkinSelectPanel.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <stdexcept>

namespace corvane {

namespace {

struct OutfitPage {
    PageKind kind;
    SkinSlot slot;
    const char* picture;
};

constexpr OutfitPage kOutfitPages[] = {
    {PageKind::Normal, SkinSlot::Body, "imgBody"},         {PageKind::Head, SkinSlot::Head, "imgHead"},
    {PageKind::Formal, SkinSlot::Formal, "imgFormal"},     {PageKind::Fashion, SkinSlot::Fashion, "imgFashion"},
    {PageKind::Winter, SkinSlot::Winter, "imgWinter"},     {PageKind::SwimWear, SkinSlot::Swim, "imgSwim"},
    {PageKind::Pajamas, SkinSlot::Sleepwear, "imgPajama"}, {PageKind::Nude, SkinSlot::Nude, "imgNude"},
};

const OutfitPage& outfitPage(PageKind kind) {
    const auto* found = std::find_if(std::begin(kOutfitPages), std::end(kOutfitPages),
                                     [&](const OutfitPage& page) { return page.kind == kind; });
    if (found == std::end(kOutfitPages)) throw std::invalid_argument("not an outfit page");
    return *found;
}

constexpr int kPictureSize = 128;

}  // namespace

TSkinPage::TSkinPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : TSkinPageBase(services, row, parent), slot_(outfitPage(row.kind).slot) {
    QGroupBox* box = groups().front();
    imgSlot = new QLabel(box);
    imgSlot->setObjectName(outfitPage(row.kind).picture);
    imgSlot->setGeometry((box->width() - kPictureSize) / 2, 40, kPictureSize, kPictureSize);
    imgSlot->setAlignment(Qt::AlignCenter);
}

void TSkinPage::showPage() {
    if (current() == nullptr) return;
    {
        PageLock lock(host());
        if (!host().LoadSkinData()) return;
        panel().show();
        imgSlot->clear();
        listSlot();
    }
    tellChildOutfits();
    tellPajamaRule();
}

void TSkinPage::showSlotPicture(const QPixmap& picture) {
    imgSlot->setPixmap(picture);
}

bool TSkinPage::picturesFollowSlot() const {
    return slot_ == SkinSlot::Head || (slot_ == SkinSlot::Body && IsPet(*current()));
}

void TSkinPage::tellChildOutfits() {
    const bool adultsOnly = slot_ == SkinSlot::Formal || slot_ == SkinSlot::Fashion || slot_ == SkinSlot::Winter;
    const bool listEmpty = panel().cbMesh->count() == 0 || panel().textureCount() == 0;
    if (!adultsOnly || !listEmpty || AgeLetter(skinCodes()) != 'c') return;
    StyledMessageDlg(dialogs(), LangStr(5022), LangStr(7079) + LangStr(7055) + LangStr(7056) + "\r\n\r\n", MsgKind::None,
                     0, mrOk, mbOK);
}

void TSkinPage::tellPajamaRule() {
    const SkinCodes codes = skinCodes();
    if (slot_ != SkinSlot::Sleepwear || WearsSleepwear(codes)) return;
    const std::string matching = PajamaTextureFor(codes);
    const std::string standard = "Pajama" + std::string{GenderLetter(codes)} + SkinToneWord(codes) + "_01";
    const std::string wears = LangStr(7061) + current()->BodyTexture + "\"\r\n";
    std::string text;
    if (!skinFolders().FindSkinFile(matching, ".bmp").empty()) {
        text = wears + LangStr(7037) + matching + ".bmp\"\r\n" + LangStr(7038) + "\r\n" + LangStr(7062) + standard +
               "\"\r\n" + LangStr(7040) + "\r\n";
    } else {
        text = wears + LangStr(7160) + standard + ".bmp\"\r\n" + LangStr(7041) + matching + ".bmp\"\r\n" + LangStr(7042) +
               "\r\n";
    }
    StyledMessageDlg(dialogs(), LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

}  // namespace corvane
