#include "profiles/ui/TCVPsPage.h"

#include "app/ui/BitmapImage.h"
#include "app/ui/GameText.h"
#include "app/ui/ReportFailure.h"
#include "iff/CharacterImageFile.h"
#include "platform/AppFolder.h"
#include "platform/AsciiText.h"
#include "platform/BmpCodec.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "platform/StyledMessageDlg.h"
#include "profiles/ui/TframeCVPPreview.h"
#include "render/MakeThumb.h"
#include "sim/EditHistory.h"
#include "skins/SkinCatalogue.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace corvane {

namespace {

constexpr int kHyphens = 153;
constexpr const char* kProfileFilter = "Corvane Profile (*.cvp)|*.CVP";
constexpr std::string_view kProfilesKey = "\\Software\\Corvane\\CVPProfiles\\";
constexpr std::string_view kProfilePathValue = "CVPPath";

void tell(Dialogs& dialogs, const std::string& text) {
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
}

// A texture's 60-pixel picture; the placeholder when it cannot be read.
QPixmap cellPicture(const std::function<void(Bitmap&)>& make, const QPixmap& placeholder) {
    try {
        Bitmap picture;
        make(picture);
        return QPixmap::fromImage(ImageOfBitmap(picture));
    } catch (const std::exception&) {
        return placeholder.scaled(TframeCVPPreview::kCellSize, TframeCVPPreview::kCellSize);
    }
}

template <typename Widget>
Widget* named(Widget* widget, const char* name, QRect bounds) {
    widget->setObjectName(name);
    widget->setGeometry(bounds);
    return widget;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string joined(std::initializer_list<int> ids) {
    std::string text;
    for (const int id : ids) text += (text.empty() ? "" : " ") + LangStr(id);
    return text;
}

// The page's introduction, as lines.
std::string introduction() {
    std::string text = joined({6101, 6102}) + "\n\n" + LangStr(6103) + "\n";
    for (const int id : {6104, 6105, 6106, 6107, 6108}) text += "  " + LangStr(id) + "\n";
    return text + "\n" + joined({6109, 6110, 6111, 6112}) + "\n\n" + joined({6113, 6114});
}

}  // namespace

std::string FramedStepText(const std::string& text) {
    const std::string rule(kHyphens, '-');
    return rule + "\n" + text + "\n" + rule + "\n";
}

TCVPsPage::TCVPsPage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent), box_(group("grpCVPs")) {
    createControls(box_);
}

void TCVPsPage::createControls(QGroupBox* box) {
    const int width = box->width();
    lblCVPs = named(new QLabel(box), "lblCVPs", QRect(10, 16, width - 20, 330));
    lblCVPs->setWordWrap(true);
    lblCVPs->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    btnExportCVP = named(new QPushButton(box), "btnExportCVP", QRect(10, box->height() - 36, 180, 26));
    btnImportCVP = named(new QPushButton(box), "btnImportCVP", QRect(width - 190, box->height() - 36, 180, 26));

    pnlCVPPreview = named(new QFrame(box), "pnlCVPPreview", QRect(4, 14, width - 8, box->height() - 54));
    lblCVPMessage = named(new QLabel(pnlCVPPreview), "lblCVPMessage", QRect(6, 4, width - 20, 200));
    lblCVPMessage->setWordWrap(true);
    lblCVPMessage->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    memCVPCredit = named(new QPlainTextEdit(pnlCVPPreview), "memCVPCredit", QRect(6, 120, width - 20, 200));
    const int ratingTop = 330;
    ratingControls_.push_back(named(new QLabel(pnlCVPPreview), "lblRating", QRect(6, ratingTop, 60, 18)));
    ratingControls_.push_back(named(new QLabel(pnlCVPPreview), "lblRequired", QRect(66, ratingTop, 80, 18)));
    const struct {
        QRadioButton** button;
        const char* name;
        const char* label;
        int left;
    } ratings[] = {{&rbEveryone, "rbEveryone", "lblEveryone", 6},
                   {&rbTeen, "rbTeen", "lblTeen", 98},
                   {&rbMature, "rbMature", "lblMature", 190},
                   {&rbAdult, "rbAdult", "lblAdultRate", 282}};
    for (const auto& rating : ratings) {
        *rating.button = named(new QRadioButton(pnlCVPPreview), rating.name, QRect(rating.left, ratingTop + 22, 20, 20));
        auto* caption = named(new QLabel(pnlCVPPreview), rating.label, QRect(rating.left + 20, ratingTop + 23, 70, 18));
        caption->setBuddy(*rating.button);
        ratingControls_.push_back(*rating.button);
        ratingControls_.push_back(caption);
    }
    frameCVPPreview = new TframeCVPPreview(pnlCVPPreview);

    btnCVPUncheckAll = named(new QPushButton(box), "btnCVPUncheckAll", QRect(10, box->height() - 36, 110, 26));
    btnCVPContinue = named(new QPushButton(box), "btnCVPContinue", QRect(width - 240, box->height() - 36, 110, 26));
    btnCVPCancel = named(new QPushButton(box), "btnCVPCancel", QRect(width - 120, box->height() - 36, 110, 26));

    connect(btnExportCVP, &QPushButton::clicked, this, &TCVPsPage::btnExportCVPClick);
    connect(btnImportCVP, &QPushButton::clicked, this, &TCVPsPage::btnImportCVPClick);
    connect(btnCVPContinue, &QPushButton::clicked, this, &TCVPsPage::btnCVPContinueClick);
    connect(btnCVPCancel, &QPushButton::clicked, this, &TCVPsPage::btnCVPCancelClick);
    connect(btnCVPUncheckAll, &QPushButton::clicked, this, &TCVPsPage::btnCVPUncheckAllClick);
}

void TCVPsPage::showPage() {
    resetPage();
}

void TCVPsPage::restPage() {
    frameCVPPreview->clearItems();
}

void TCVPsPage::resetPage() {
    // A step still waiting is over: as if cancelled.
    if (waiting_ != nullptr) waiting_->quit();
    btnCVPContinue->setEnabled(false);
    btnCVPCancel->setEnabled(false);
    btnCVPContinue->hide();
    btnCVPCancel->hide();
    btnExportCVP->setEnabled(true);
    btnImportCVP->setEnabled(true);
    btnExportCVP->show();
    btnImportCVP->show();
    hideStepControls();
    frameCVPPreview->setGeometry(pnlCVPPreview->rect());
    QFont font = lblCVPs->font();
    font.setPointSize(settings().UIFontSize + 2);
    font.setBold(false);
    lblCVPs->setFont(font);
    lblCVPs->setText(qt(introduction()));
    lblCVPs->show();
}

void TCVPsPage::btnCVPContinueClick() {
    btnCVPContinue->setEnabled(false);
    answer_ = Answer::Continue;
    if (waiting_ != nullptr) waiting_->quit();
}

void TCVPsPage::btnCVPCancelClick() {
    btnCVPCancel->setEnabled(false);
    answer_ = Answer::Cancel;
    if (waiting_ != nullptr) waiting_->quit();
}

void TCVPsPage::btnCVPUncheckAllClick() {
    frameCVPPreview->uncheckAll();
}

bool TCVPsPage::waitForAnswer() {
    // The user reads and chooses with the normal cursor; the work goes on under the hourglass.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    QEventLoop loop;
    answer_ = Answer::None;
    waiting_ = &loop;
    emit stepWaiting();
    if (answer_ == Answer::None) loop.exec();
    waiting_ = nullptr;
    QApplication::restoreOverrideCursor();
    btnCVPContinue->hide();
    btnCVPCancel->hide();
    return answer_ == Answer::Continue;
}

bool TCVPsPage::step(const std::string& text, bool offerCancel, bool largeFont) {
    lblCVPs->hide();
    QFont font = lblCVPMessage->font();
    font.setPointSize(settings().UIFontSize + (largeFont ? 2 : 0));
    lblCVPMessage->setFont(font);
    lblCVPMessage->setText(qt(text));
    lblCVPMessage->show();
    pnlCVPPreview->show();
    btnCVPContinue->setText(qt(LangStr(5030)));
    btnCVPCancel->setText(qt(LangStr(5011)));
    btnCVPContinue->setEnabled(true);
    btnCVPContinue->show();
    btnCVPCancel->setEnabled(offerCancel);
    btnCVPCancel->setVisible(offerCancel);
    const bool wentOn = waitForAnswer();
    lblCVPMessage->hide();
    pnlCVPPreview->hide();
    box_->repaint();
    return wentOn;
}

bool TCVPsPage::waitInPreview() {
    lblCVPs->hide();
    lblCVPMessage->hide();
    btnCVPUncheckAll->setText(qt(LangStr(5027)));
    btnCVPContinue->setText(qt(LangStr(5030)));
    btnCVPCancel->setText(qt(LangStr(5011)));
    btnCVPUncheckAll->show();
    pnlCVPPreview->show();
    frameCVPPreview->setGeometry(pnlCVPPreview->rect());
    frameCVPPreview->show();
    btnCVPContinue->setEnabled(true);
    btnCVPContinue->show();
    btnCVPCancel->setEnabled(true);
    btnCVPCancel->show();
    const bool wentOn = waitForAnswer();
    btnCVPUncheckAll->hide();
    frameCVPPreview->hide();
    pnlCVPPreview->hide();
    return wentOn;
}

void TCVPsPage::showRating(bool shown) {
    for (QWidget* control : ratingControls_) control->setVisible(shown);
}

char TCVPsPage::ratingLetter() const {
    if (rbEveryone->isChecked()) return 'E';
    if (rbMature->isChecked()) return 'M';
    if (rbAdult->isChecked()) return 'A';
    return 'T';
}

void TCVPsPage::checkRating(char letter) {
    QRadioButton* button = letter == 'E' ? rbEveryone : letter == 'T' ? rbTeen : letter == 'M' ? rbMature
                           : letter == 'A' ? rbAdult : nullptr;
    if (button != nullptr) button->setChecked(true);
}

void TCVPsPage::beginOperation() {
    btnExportCVP->setEnabled(false);
    btnImportCVP->setEnabled(false);
    // The steps' buttons take their place.
    btnExportCVP->hide();
    btnImportCVP->hide();
    btnCVPContinue->setEnabled(false);
    btnCVPCancel->setEnabled(false);
    hideStepControls();
}

void TCVPsPage::hideStepControls() {
    btnCVPUncheckAll->hide();
    frameCVPPreview->hide();
    pnlCVPPreview->hide();
    memCVPCredit->clear();
    memCVPCredit->hide();
    showRating(false);
}

std::optional<std::filesystem::path> TCVPsPage::chooseProfile(bool saving) {
    Registry& registry = host().registry();
    const std::string remembered = registry.read(RegistryRoot::CurrentUser, kProfilesKey, kProfilePathValue);
    FileRequest request;
    request.filter = kProfileFilter;
    request.initialFolder = !remembered.empty() ? std::filesystem::path(remembered)
                            : saving            ? ApplicationFolder() / "CVPFiles"
                                                : std::filesystem::path();
    std::optional<std::filesystem::path> chosen = saving ? dialogs().chooseSaveFile(request) : dialogs().chooseOpenFile(request);
    if (!chosen) return std::nullopt;
    ReportFailure(dialogs(), [&] {
        registry.write(RegistryRoot::CurrentUser, kProfilesKey, kProfilePathValue, chosen->parent_path().string());
    });
    if (saving) chosen->replace_extension(kProfileExtension);
    return chosen;
}

void TCVPsPage::btnExportCVPClick() {
    runOperation(&TCVPsPage::exportProfile);
}

void TCVPsPage::runOperation(void (TCVPsPage::*operation)(Sim&)) {
    Sim* sim = current();
    if (sim == nullptr) return;
    // Nothing else of the editor moves while the steps wait: not the
    // character, not the page, not the history.
    const PageLock locked(host());
    box_->setEnabled(true);
    beginOperation();
    (this->*operation)(*sim);
    frameCVPPreview->clearItems();
    resetPage();
}

void TCVPsPage::exportProfile(Sim& sim) {
    const std::string intro = joined({6136, 6137, 6138, 6139}) + "\n\n" + LangStr(6140) + " " + LangStr(6141) +
                              "\n\n" + LangStr(6142);
    if (!step(FramedStepText(intro), true)) return;
    const std::optional<std::filesystem::path> target = chooseProfile(true);
    if (!target) return;
    const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
    std::vector<ProfileFileEntry> files;
    if (!ReportFailure(dialogs(), [&] { files = CollectProfileFiles(sim, folders); })) return;
    step(FramedStepText(LangStr(6143) + "\n\n" + LangStr(6144) + "\n\n" + LangStr(6145)), false);

    fillExportPreview(files);
    if (!waitInPreview()) return;
    std::vector<std::size_t> leftOutImages;
    for (const auto& item : frameCVPPreview->images()) {
        if (!item.box->isChecked()) leftOutImages.push_back(static_cast<std::size_t>(item.tag));
    }
    std::vector<std::string> leftOutFiles;
    for (const auto* boxes : {&frameCVPPreview->cmxFiles(), &frameCVPPreview->sknFiles()}) {
        for (const auto& item : *boxes) {
            if (!item.box->isChecked()) leftOutFiles.push_back(files[static_cast<std::size_t>(item.tag)].name);
        }
    }
    frameCVPPreview->clearItems();
    ProfileExportOptions options;
    options.warning = LeaveOutProfileFiles(files, leftOutImages, leftOutFiles);

    rbTeen->setChecked(true);
    creditsStep("", 'T', 6146, false);
    options.expansionLevel = settings().ExpansionLevel;
    options.codePage = CodePageForLanguage(settings().LanguageNumber);
    options.rating = ratingLetter();
    // The credits' lines are kept as one line.
    options.credits = memCVPCredit->toPlainText().remove('\n').remove('\r').toStdString();
    const std::filesystem::path characterFile =
        ResolveCaseInsensitive(settings().NeighborhoodPath, "Characters\\" + sim.FileName + ".iff");
    try {
        ExportProfile(sim, characterFile, files, options, *target);
        tell(dialogs(), LangStr(7063));
    } catch (const std::exception& failure) {
        tell(dialogs(), LangStr(7080) + "\n" + failure.what());
    }
}

void TCVPsPage::fillExportPreview(const std::vector<ProfileFileEntry>& files) {
    for (const ProfilePreviewItem& item : ProfileExportPreviewItems(files)) {
        const ProfileFileEntry& file = files[item.position];
        const QString name = GameText(file.name);
        const int tag = static_cast<int>(item.position);
        switch (item.kind) {
            case ProfilePreviewItem::Kind::Image: {
                const auto make = [&](Bitmap& picture) { ThumbnailFromFile(file.path, picture, TframeCVPPreview::kCellSize); };
                frameCVPPreview->addImage(cellPicture(make, host().missingPicture()), name, tag);
                break;
            }
            case ProfilePreviewItem::Kind::CharacterFile: frameCVPPreview->addCmx(name, tag); break;
            case ProfilePreviewItem::Kind::Mesh: frameCVPPreview->addSkn(name, tag); break;
        }
    }
}

bool TCVPsPage::creditsStep(const std::string& memoText, char rating, int messageId, bool offerCancel) {
    memCVPCredit->setPlainText(QString::fromStdString(memoText));
    memCVPCredit->show();
    checkRating(rating);
    const std::pair<const char*, int> labels[] = {{"lblRating", 6079}, {"lblRequired", 6080}, {"lblEveryone", 6081},
                                                  {"lblTeen", 6082},   {"lblMature", 6083},   {"lblAdultRate", 6003}};
    for (const auto& [label, id] : labels) {
        if (auto* caption = pnlCVPPreview->findChild<QLabel*>(label)) caption->setText(qt(LangStr(id)));
    }
    showRating(true);
    const bool wentOn = step(LangStr(messageId), offerCancel, false);
    memCVPCredit->hide();
    showRating(false);
    return wentOn;
}

void TCVPsPage::btnImportCVPClick() {
    runOperation(&TCVPsPage::importProfile);
}

void TCVPsPage::importProfile(Sim& sim) {
    const std::optional<std::filesystem::path> file = chooseProfile(false);
    if (!file) return;
    const CharacterList& list = document().characters();
    const std::string entry = list.selected() >= 0 ? list.entries()[static_cast<std::size_t>(list.selected())].text : "";
    const std::string question = LangStr(8072) + " " + file->filename().string() + " " + LangStr(8073) + " " +
                                 GameText(entry).toStdString() + "\n" + LangStr(8074);
    if (!step(FramedStepText(question), true)) return;
    if (!std::filesystem::exists(*file)) return;
    // Everything is read and checked before anything changes.
    Profile profile;
    if (!ReportFailure(dialogs(), [&] { profile = ReadProfile(*file); })) return;
    if (!ProfileFitsCharacter(profile, sim)) {
        tell(dialogs(), ProfileKindMismatchText() + "\n");
        return;
    }
    if (profile.warning && !step(FramedStepText(LangStr(6147) + LangStr(6148)), true)) return;
    if (!creditsStep(LangStr(7064) + "\n" + profile.credits, profile.rating.empty() ? 'T' : profile.rating.front(), 6149,
                     true)) {
        return;
    }
    if (!profile.refused.empty()) {
        std::string refused = LangStr(7241);
        for (const RefusedProfileFile& name : profile.refused) refused += "\n\"" + name.fileName + "\": " + name.reason;
        tell(dialogs(), refused);
    }
    fillImportPreview(profile);
    if (!waitInPreview()) return;
    std::vector<std::string> selected;
    for (const auto* boxes : {&frameCVPPreview->images(), &frameCVPPreview->cmxFiles(), &frameCVPPreview->sknFiles()}) {
        for (const auto& item : *boxes) {
            const ProfileBinData* binData = profile.fileAt(static_cast<std::size_t>(item.tag));
            if (item.box->isChecked() && binData != nullptr) selected.push_back(binData->fileName);
        }
    }
    frameCVPPreview->clearItems();

    // The values first: one out of the editor's limits refuses the whole profile before anything is written.
    const int codePage = CodePageForLanguage(settings().LanguageNumber);
    std::vector<std::string> notKept;
    const Sim asBefore = sim;
    if (!ReportFailure(dialogs(), [&] { notKept = ApplyProfileValues(document(), sim, profile, codePage); })) return;
    // Takes back this import's values (nothing before them when it changed
    // none) and the pictures it staged for the save.
    const auto takeBackValues = [&] {
        if (RecordValuesDiffer(asBefore, sim)) document().undo();
        std::error_code ignored;
        std::filesystem::remove(CharacterImageFile(ApplicationFolder(), sim.FileName), ignored);
    };
    try {
        StageProfileImages(profile, ApplicationFolder(), sim.FileName);
    } catch (const std::exception& failure) {
        takeBackValues();  // values asking for pictures that are not there
        tell(dialogs(), LangStr(7067) + "\n" + failure.what());
        return;
    }
    const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
    const std::filesystem::path installFolder = ResolveCaseInsensitive(settings().GamePath, settings().SkinsFolder);
    const ProfileInstallResult installed = InstallProfileFiles(profile, selected, folders, installFolder, dialogs());
    DiscardSkinCatalogue(GameSkinCatalogue());
    if (!installed.failure.empty()) {
        takeBackValues();  // the values stay with the skins they came with: neither is half taken
        tell(dialogs(), LangStr(7067) + "\n" + installed.failure);
        return;
    }
    std::string done = LangStr(7072) + "\n";
    if (!notKept.empty()) {
        done += "\n" + LangStr(7240);
        for (const std::string& value : notKept) done += "\n" + value;
    }
    tell(dialogs(), done);
}

void TCVPsPage::fillImportPreview(const Profile& profile) {
    for (const ProfilePreviewItem& item : ProfilePreviewItems(profile)) {
        const ProfileBinData* binData = profile.fileAt(item.position);
        if (binData == nullptr) continue;
        const QString name = QString::fromStdString(item.fileName);
        const int tag = static_cast<int>(item.position);
        switch (item.kind) {
            case ProfilePreviewItem::Kind::Image: {
                // Made from the bytes in memory: nothing of the profile is written for its picture.
                const auto make = [&](Bitmap& picture) {
                    ResampleToSquare(DecodeBmp(binData->bytes, item.fileName), picture, TframeCVPPreview::kCellSize);
                };
                frameCVPPreview->addImage(cellPicture(make, host().missingPicture()), name, tag);
                break;
            }
            case ProfilePreviewItem::Kind::CharacterFile: frameCVPPreview->addCmx(name, tag); break;
            case ProfilePreviewItem::Kind::Mesh: frameCVPPreview->addSkn(name, tag); break;
        }
    }
}

}  // namespace corvane
