#include "sim/ui/TMakeoverPage.h"

#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "platform/AsciiText.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/TextLines.h"
#include "sim/NameEdits.h"
#include "sim/Traits.h"
#include "skins/SkinCatalogue.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace corvane {

namespace {

constexpr int kInner = 188;   // the width inside the group box
constexpr int kBusyStatus = 7127;  // "Choosing matching skins..."
constexpr MessageId kNoHeadFound{7320};  // the makeover left the head bare: invisible in the game
constexpr MessageId kNoBodyFound{7321};

template <typename Widget>
Widget* named(Widget* widget, const char* name, QRect bounds) {
    widget->setObjectName(name);
    widget->setGeometry(bounds);
    return widget;
}

QFrame* panel(QWidget* parent, const char* name, int top, int height) {
    return named(new QFrame(parent), name, QRect(6, top, kInner, height));
}

// Checks `which` (none when null) among buttons of which at most one may be checked.
void checkOnly(std::initializer_list<QRadioButton*> buttons, QRadioButton* which) {
    for (QRadioButton* button : buttons) {
        button->setAutoExclusive(false);
        button->setChecked(button == which);
        button->setAutoExclusive(true);
    }
}

// The game keeps a biography's lines with Windows line ends.
std::string withWindowsLineEnds(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

TMakeoverPage::TMakeoverPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent), box_(group("grpMakeover")) {
    createAgeAndSkinAge(box_);
    createLooks(box_);
    createNames(box_);
}

QRadioButton* TMakeoverPage::radio(QFrame* parent, const char* name, const char* label, QPoint at,
                                   void (TMakeoverPage::*handler)()) {
    auto* button = named(new QRadioButton(parent), name, QRect(at, QSize(20, 20)));
    auto* caption = named(new QLabel(parent), label, QRect(at + QPoint(20, 1), QSize(60, 18)));
    caption->setBuddy(button);
    // A click on the caption chooses as a click on the button does.
    caption->installEventFilter(this);
    captions_.emplace(caption, button);
    // The handlers act on a choice: a click on the button already checked does nothing.
    if (handler != nullptr) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on) (this->*handler)();
        });
    }
    return button;
}

bool TMakeoverPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto caption = captions_.find(watched);
        if (caption != captions_.end() && caption->second->isVisible() && caption->second->isEnabled()) {
            caption->second->click();
            return true;
        }
    }
    // Typing a biography is one step of the history until the memo is left.
    if (watched == memBio && event->type() == QEvent::FocusOut) document().sealStep();
    return EditorPage::eventFilter(watched, event);
}

void TMakeoverPage::createAgeAndSkinAge(QGroupBox* box) {
    pnlAge = panel(box, "pnlAge", 16, 24);
    rbAgeChild = radio(pnlAge, "rbAgeChild", "lblChild", {2, 2}, &TMakeoverPage::rbAgeChildClick);
    rbAgeAdult = radio(pnlAge, "rbAgeAdult", "lblAdult", {96, 2}, &TMakeoverPage::rbAgeAdultClick);
    // Shown for pets only, in the place of the child's button; choosing them does nothing.
    rbAgeDog = radio(pnlAge, "rbAgeDog", "lblDog", {2, 2}, nullptr);
    rbAgeCat = radio(pnlAge, "rbAgeCat", "lblCat", {2, 2}, nullptr);
    for (const auto& [caption, button] : captions_) {
        if (button->parent() == pnlAge) ageButtons_.emplace_back(button, static_cast<QLabel*>(caption));
    }

    pnlSkinAge = panel(box, "pnlSkinAge", 42, 42);
    lblSkinAge_ = named(new QLabel(pnlSkinAge), "lblSkinAge", QRect(2, 0, 180, 18));
    rbSkinAgeChild = radio(pnlSkinAge, "rbSkinAgeChild", "lblSkinAgeChild", {2, 20}, &TMakeoverPage::rbSkinAgeChildClick);
    rbSkinAgeAdult = radio(pnlSkinAge, "rbSkinAgeAdult", "lblSkinAgeAdult", {96, 20}, &TMakeoverPage::rbSkinAgeAdultClick);
}

void TMakeoverPage::createLooks(QGroupBox* box) {
    pnlSex = panel(box, "pnlSex", 86, 24);
    rbSexMale = radio(pnlSex, "rbSexMale", "lblMale", {2, 2}, &TMakeoverPage::rbSexMaleClick);
    rbSexFemale = radio(pnlSex, "rbSexFemale", "lblFemale", {96, 2}, &TMakeoverPage::rbSexFemaleClick);

    pnlSkinColor = panel(box, "pnlSkinColor", 112, 24);
    rbRaceLgt = radio(pnlSkinColor, "rbRaceLgt", "lblLight", {2, 2}, &TMakeoverPage::rbRaceLgtClick);
    rbRaceMed = radio(pnlSkinColor, "rbRaceMed", "lblMedium", {64, 2}, &TMakeoverPage::rbRaceMedClick);
    rbRaceDrk = radio(pnlSkinColor, "rbRaceDrk", "lblDark", {128, 2}, &TMakeoverPage::rbRaceDrkClick);

    pnlBodySize = panel(box, "pnlBodySize", 138, 46);
    rbSkn = radio(pnlBodySize, "rbSkn", "lblskn", {2, 2}, &TMakeoverPage::rbSknClick);
    rbFit = radio(pnlBodySize, "rbFit", "lblFit", {64, 2}, &TMakeoverPage::rbFitClick);
    rbFat = radio(pnlBodySize, "rbFat", "lblFat", {128, 2}, &TMakeoverPage::rbFatClick);
    rbTNR = radio(pnlBodySize, "rbTNR", "lblTNR", {2, 24}, &TMakeoverPage::rbTNRClick);
    lblTNR_ = pnlBodySize->findChild<QLabel*>("lblTNR");
}

void TMakeoverPage::createNames(QGroupBox* box) {
    named(new QLabel(box), "lblName", QRect(8, 190, 180, 18));
    edtSimName = named(new QLineEdit(box), "edtSimName", QRect(8, 208, kInner - 4, 24));
    edtSimLastName = named(new QLineEdit(box), "edtSimLastName", QRect(8, 236, kInner - 4, 24));
    named(new QLabel(box), "lblBio", QRect(8, 266, 180, 18));
    memBio = named(new QPlainTextEdit(box), "memBio", QRect(8, 284, kInner - 4, 136));
    named(new QLabel(box), "lblResetThumb", QRect(8, 430, 150, 18));
    ckResetThumb = named(new QCheckBox(box), "ckResetThumb", QRect(164, 429, 20, 20));

    connect(edtSimName, &QLineEdit::textEdited, this, &TMakeoverPage::edtSimNameChange);
    connect(edtSimLastName, &QLineEdit::textEdited, this, &TMakeoverPage::edtSimLastNameChange);
    // One typed name is one step of the history.
    for (QLineEdit* edit : {edtSimName, edtSimLastName}) {
        connect(edit, &QLineEdit::editingFinished, this, [this] { document().sealStep(); });
    }
    connect(memBio, &QPlainTextEdit::textChanged, this, &TMakeoverPage::memBioChange);
    memBio->installEventFilter(this);
    connect(ckResetThumb, &QCheckBox::toggled, this, [this](bool on) {
        if (on) ckResetThumbClick();
    });
}

void TMakeoverPage::showPage() {
    Sim* sim = current();
    if (sim == nullptr) return;
    const PageLock locked(host());
    host().LoadSkinData();
    ckResetThumb->setChecked(false);
    fill(*sim);
}

void TMakeoverPage::refresh() {
    Sim* sim = current();
    if (sim == nullptr) return;
    fill(*sim);
    // After an undo of the request the box can ask again.
    if (!sim->ResetThumbnail) {
        const QSignalBlocker quiet(ckResetThumb);
        ckResetThumb->setChecked(false);
    }
}

void TMakeoverPage::fill(const Sim& sim) {
    showAgeButtons(sim);
    showLooks(sim);
    showTexts(sim);
}

void TMakeoverPage::showAgeButtons(const Sim& sim) {
    for (const auto& [button, caption] : ageButtons_) {
        button->hide();
        caption->hide();
    }
    // A pet's coat has no age of its own.
    pnlSkinAge->setVisible(host().switches().skinAge && !IsPet(sim));
    const auto showAge = [&](QRadioButton* shown) {
        for (const auto& [button, caption] : ageButtons_) {
            if (button == shown) {
                button->show();
                caption->show();
            }
        }
    };
    if (!IsPet(sim)) {
        showAge(rbAgeChild);
        showAge(rbAgeAdult);
    }
    QRadioButton* checked = sim.AgeGroup == "adult"   ? rbAgeAdult
                            : sim.AgeGroup == "child" ? rbAgeChild
                            : sim.AgeGroup == "dog"   ? rbAgeDog
                            : sim.AgeGroup == "kat"   ? rbAgeCat
                                                      : nullptr;
    if (checked == nullptr) return;
    if (checked == rbAgeDog || checked == rbAgeCat) showAge(checked);
    checkOnly({rbAgeChild, rbAgeAdult, rbAgeDog, rbAgeCat}, checked);
}

void TMakeoverPage::showLooks(const Sim& sim) {
    const bool human = !IsPet(sim);
    const bool teens = host().switches().teens;
    rbTNR->setVisible(teens);
    lblTNR_->setVisible(teens);
    if (human) {
        const std::string size = sim.BodySize;
        QRadioButton* sizeButton = size == "skn"               ? rbSkn
                                   : size == "fit"             ? rbFit
                                   : size == "fat"             ? rbFat
                                   : size == "tnr" && teens    ? rbTNR
                                                               : nullptr;
        checkOnly({rbSkn, rbFit, rbFat, rbTNR}, sizeButton);
        const std::string tone = ToLowerAscii(sim.SkinTone);
        QRadioButton* toneButton = tone == "lgt" ? rbRaceLgt : tone == "med" ? rbRaceMed : tone == "drk" ? rbRaceDrk : nullptr;
        checkOnly({rbRaceLgt, rbRaceMed, rbRaceDrk}, toneButton);
    }
    pnlBodySize->setVisible(human);
    pnlSkinColor->setVisible(human);

    if (sim.Gender >= 0 && sim.Gender <= 5) checkOnly({rbSexMale, rbSexFemale}, sim.Gender % 2 == 0 ? rbSexMale : rbSexFemale);

    if (!human) return;
    bool adultSizes = sim.Age >= 10;
    if (host().switches().skinAge) {
        const bool childSkins = sim.SkinAge < 10;
        checkOnly({rbSkinAgeChild, rbSkinAgeAdult}, childSkins ? rbSkinAgeChild : rbSkinAgeAdult);
        adultSizes = !childSkins;
    }
    for (QRadioButton* button : {rbSkn, rbFit, rbFat}) button->setEnabled(adultSizes);
}

void TMakeoverPage::showTexts(const Sim& sim) {
    // The box being typed in keeps its text while it says the same as the record
    // (a blank typed at the end is trimmed from the record only).
    const auto show = [](QLineEdit* edit, const std::string& value) {
        if (Trimmed(GameBytes(edit->text())) != value) edit->setText(GameText(value));
    };
    show(edtSimName, sim.FirstName);
    show(edtSimLastName, sim.LastName);
    edtSimLastName->setEnabled(!sim.FamilyChanged);
    if (Trimmed(withWindowsLineEnds(GameBytes(memBio->toPlainText()))) != sim.Bio) {
        const QSignalBlocker quiet(memBio);
        memBio->setPlainText(GameText(sim.Bio));
    }
}

std::optional<SkinAgeChoice> TMakeoverPage::skinAgeChoice() const {
    if (!host().switches().skinAge) return std::nullopt;
    return rbSkinAgeAdult->isChecked() ? SkinAgeChoice::Adult : SkinAgeChoice::Child;
}

void TMakeoverPage::reassign(const std::function<void(Sim&, const MakeoverSkins&)>& change) {
    Sim* sim = current();
    if (sim == nullptr || !storing(box_)) return;
    const std::unique_ptr<Progress> busy = host().ShowBusy(LangStr(kBusyStatus));
    bool changed = false;
    {
        const PageLock locked(host());
        const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
        const MakeoverSkins skins{{folders, GameSkinCatalogue()}, &dialogs()};
        changed = ReportFailure(dialogs(), [&] { change(*sim, skins); });
        // A refused change leaves the record as it was, and the buttons show it again.
        if (!changed) fill(*sim);
        host().RefreshPreview();
    }
    if (changed) tellBareSlots(*sim);
    if (changed && sim->ResetThumbnail) host().MakeCharacterImages();
}

void TMakeoverPage::tellBareSlots(const Sim& sim) {
    for (const SkinSlot slot : BareVisibleSlots(sim)) {
        StyledMessageDlg(dialogs(), LangStr(5022), LangStr(slot == SkinSlot::Head ? kNoHeadFound : kNoBodyFound),
                         MsgKind::Warning, 0, mrOk, mbOK);
    }
}

void TMakeoverPage::rbAgeChildClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { MakeChild(document(), sim, skinAgeChoice(), skins); });
}

void TMakeoverPage::rbAgeAdultClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { MakeAdult(document(), sim, skinAgeChoice(), skins); });
}

void TMakeoverPage::rbSkinAgeChildClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { SetSkinAge(document(), sim, SkinAgeChoice::Child, skins); });
}

void TMakeoverPage::rbSkinAgeAdultClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { SetSkinAge(document(), sim, SkinAgeChoice::Adult, skins); });
}

void TMakeoverPage::rbSexMaleClick() {
    genderClick(false);
}

void TMakeoverPage::rbSexFemaleClick() {
    genderClick(true);
}

// A pet's gender is only its record's: its coat fits either, so nothing is drawn anew.
void TMakeoverPage::genderClick(bool female) {
    Sim* sim = current();
    if (sim == nullptr || !storing(box_)) return;
    const auto change = [this, female](Sim& changed, const MakeoverSkins& skins) {
        SetGender(document(), changed, female, skins);
    };
    if (!IsPet(*sim)) {
        reassign(change);
        return;
    }
    const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
    ReportFailure(dialogs(), [&] { change(*sim, {{folders, GameSkinCatalogue()}, &dialogs()}); });
}

void TMakeoverPage::rbRaceLgtClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { SetSkinColor(document(), sim, 1, skins); });
}

void TMakeoverPage::rbRaceMedClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { SetSkinColor(document(), sim, 3, skins); });
}

void TMakeoverPage::rbRaceDrkClick() {
    reassign([this](Sim& sim, const MakeoverSkins& skins) { SetSkinColor(document(), sim, 2, skins); });
}

void TMakeoverPage::rbSknClick() {
    bodySizeClick("skn");
}

void TMakeoverPage::rbFitClick() {
    bodySizeClick("fit");
}

void TMakeoverPage::rbFatClick() {
    bodySizeClick("fat");
}

void TMakeoverPage::rbTNRClick() {
    bodySizeClick("tnr");
}

void TMakeoverPage::bodySizeClick(const char* size) {
    reassign([this, size](Sim& sim, const MakeoverSkins& skins) { SetBodySize(document(), sim, size, skins); });
}

void TMakeoverPage::edtSimNameChange() {
    Sim* sim = current();
    if (sim == nullptr || !storing(box_)) return;
    SetFirstName(document(), *sim, GameBytes(edtSimName->text()));
}

void TMakeoverPage::edtSimLastNameChange() {
    Sim* sim = current();
    if (sim == nullptr || !storing(box_)) return;
    ReportFailure(dialogs(), [&] { SetLastName(document(), *sim, GameBytes(edtSimLastName->text())); });
}

void TMakeoverPage::memBioChange() {
    Sim* sim = current();
    if (sim == nullptr || !storing(box_)) return;
    SetBio(document(), *sim, withWindowsLineEnds(GameBytes(memBio->toPlainText())));
}

void TMakeoverPage::ckResetThumbClick() {
    Sim* sim = current();
    if (sim == nullptr || !storing(box_)) return;
    host().MakeCharacterImages();
    ResetThumbnails(document(), *sim);
}

}  // namespace corvane
