// The main window's start-up: from a bare process to a ready editor.

#include "app/ColorNames.h"
#include "app/ControlTexts.h"
#include "app/EditorOptions.h"
#include "app/ExpansionFeatures.h"
#include "app/GameInstallation.h"
#include "app/GameLocator.h"
#include "app/LanguageSetup.h"
#include "app/LanguageTable.h"
#include "app/MessageStyle.h"
#include "app/Settings.h"
#include "app/VersionText.h"
#include "app/ui/Artwork.h"
#include "app/ui/StyleForm.h"
#include "app/ui/TfrmMain.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/GameWriteGuard.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "platform/ui/QtDialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <clocale>

namespace corvane {

namespace {

constexpr MessageId kLanguageTableUnreadable{7322};
constexpr std::uint32_t kFallbackBackColor = 0x804000;
constexpr std::uint32_t kFallbackFontColor = 0xFFDBB7;
constexpr std::uint32_t kRestrictedButtonColor = 0xC0C0C0;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Sets a caption on whatever kind of control carries that name.
void setCaption(QObject* control, const QString& text) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(text);
    } else if (auto* action = qobject_cast<QAction*>(control)) {
        action->setText(text);
    } else if (auto* widget = qobject_cast<QWidget*>(control)) {
        widget->setToolTip(text);
    }
}

void applyColours(const CommandLineSwitches& switches, Settings& settings) {
    if (switches.backColor) {
        settings.BackColor = ColorFromSwitch(*switches.backColor, kFallbackBackColor);
    }
    if (switches.fontColor) {
        settings.FontColor = ColorFromSwitch(*switches.fontColor, kFallbackFontColor);
    }
    settings.PreviewColor = switches.previewColor ? ColorFromSwitch(*switches.previewColor, kFallbackFontColor)
                                                  : settings.BackColor;
    settings.UIFontSize = 8;
}

// The table chosen by the game's language and the "/l" switches.
std::string languageCode(const std::string& gameLanguage, const std::vector<std::string>& switchValues) {
    auto language = FindGameLanguage(gameLanguage);
    std::string code = language ? std::string(language->code) : std::string();
    for (const std::string& value : switchValues) {
        code = LanguageCodeForSwitch(value);
    }
    return code.empty() ? std::string("usen") : code;
}

// A damaged language table is passed over for US English, never silently.
void tellUnreadableLanguageTables(Dialogs& dialogs, const InstalledLanguage& installed) {
    if (installed.unreadable.empty()) return;
    std::string text = LangStr(kLanguageTableUnreadable);
    for (const std::string& cause : installed.unreadable) text += "\n" + cause;
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::Warning, 0, mrOk, mbOK);
}

}  // namespace

bool TfrmMain::FormCreate() {
    Settings& settings = AppSettings();
    const CommandLineSwitches& switches = services_.switches;

    // Steps 1 to 3: a first language table for the questions about the game.
    InstallLanguage(services_.languageFolder, switches.languages.empty() ? "usen" : switches.languages.back());
    applyColours(switches, settings);
    SetMessageStyle(MessageStyleFor(settings));

    // Steps 5 to 7: the game folder and its language.
    GameKeyValues key = ReadGameKey(services_.registry);
    preselectedNeighbourhood_ = key.preselectedNeighbourhood;
    auto gamePath = LocateGame(key.gamePath, services_.registry, services_.dialogs);
    if (!gamePath) {
        return false;
    }
    settings.GamePath = *gamePath;
    settings.GameLanguage = EnsureGameLanguage(key.gameLanguage, services_.registry, services_.askLanguage);

    // Steps 8 to 10.
    settings.SkinsFolder = ChooseSkinsFolder(settings.GamePath, switches.skinsFolders);
    settings.ExpansionLevel = DetectExpansionLevel(settings.GamePath);
    document_.setExpansionLevel(settings.ExpansionLevel);
    std::setlocale(LC_NUMERIC, "C");
    createPreviewWindow();  // step 11

    // Steps 12 to 15: the language table for good, and the interface font.
    const InstalledLanguage installed =
        InstallLanguage(services_.languageFolder, languageCode(settings.GameLanguage, switches.languages));
    GameLanguageInfo language = GameLanguageOrDefault(settings.GameLanguage);
    settings.LanguageNumber = language.languageNumber;
    settings.UIFontName = std::string(language.fontName);
    settings.UIFontCharset = language.fontCharset;
    SetMessageStyle(MessageStyleFor(settings));

    tellUnreadableLanguageTables(services_.dialogs, installed);

    // One editor changes an installation at a time; what a cut-off save or
    // other interrupted work left is mended before any file is read.
    if (!takeInstallationLock()) {
        return false;
    }
    recoverInterruptedWork();
    listNeighbourhoods(preselectedNeighbourhood_);  // step 16
    imgListHearts = ImageListFromStrip(ArtworkHearts(), kHeartCell);  // step 17
    imgListX = ImageListFromStrip(ArtworkMissingPicture(), kHeartCell);
    imgListJobs = ImageListFromStrip(ArtworkJobs(), kJobIconWidth);
    StyleForm(this, settings);                      // step 18
    fillHauntAddresses();                           // step 19
    applyEditorOptions();                           // step 20
    applyLocalisedTexts();                          // step 21
    applyExpansionFeatures();                       // step 22
    setBlurCheckBoxes();                            // step 23

    // Step 24.
    QFont large(qt(settings.UIFontName));
    large.setPointSize(settings.UIFontSize + 4);
    for (QWidget* widget : std::initializer_list<QWidget*>{lblNeighborhood, cbNeighborhood, cbUserName}) {
        widget->setFont(large);
    }
    lblNeighborhood->setAutoFillBackground(false);
    pnl3DSim->hide();
    pnlLowCenter->hide();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();

    if (!LoadSkinData()) {  // step 25
        // The archive and the cause stand between the message and the closing note.
        const std::string text = LangStr(7093) + "\n" + GameSkinCatalogue().ArchiveReadCause + "\n" + LangStr(7094);
        StyledMessageDlg(services_.dialogs, LangStr(5022), text, MsgKind::None, 0, mrOk, mbOK);
        return false;
    }

    // Step 26.
    QCoreApplication::processEvents();
    BusyLoading = false;
    UnlockPages();
    cbNeighborhoodChange();
    return true;
}

void TfrmMain::listNeighbourhoods(const std::string& preselected) {
    fillNeighbourhoodList([&](const std::vector<NeighbourhoodEntry>& entries) {
        return PreselectedNeighbourhood(entries, preselected);
    });
}

void TfrmMain::RelistNeighbourhoods(const std::string& folder) {
    fillNeighbourhoodList([&](const std::vector<NeighbourhoodEntry>& entries) {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const NeighbourhoodEntry& entry) {
            return qt(entry.folderName).compare(qt(folder), Qt::CaseInsensitive) == 0;
        });
        if (found != entries.end()) return static_cast<int>(found - entries.begin());
        return entries.empty() ? -1 : 0;
    });
}

void TfrmMain::fillNeighbourhoodList(const std::function<int(const std::vector<NeighbourhoodEntry>&)>& choose) {
    const auto entries = ListNeighbourhoods(AppSettings().GamePath);
    cbNeighborhood->clear();
    for (const NeighbourhoodEntry& entry : entries) {
        cbNeighborhood->addItem(qt(entry.number), qt(entry.folderName));
    }
    const int selected = choose(entries);
    cbNeighborhood->setCurrentIndex(selected);
    if (selected >= 0) {
        AppSettings().NeighborhoodPath =
            ResolveCaseInsensitive(AppSettings().GamePath, entries[static_cast<std::size_t>(selected)].folderName);
    } else {
        // The last neighbourhood is gone: nothing is open any more.
        AppSettings().NeighborhoodPath.clear();
    }
}

void TfrmMain::fillHauntAddresses() {
    auto* haunts = findChild<QComboBox*>("cbHauntAddress");
    haunts->clear();
    for (const std::string& address : HauntAddresses(AppSettings().ExpansionLevel)) {
        haunts->addItem(qt(address));
    }
}

void TfrmMain::applyEditorOptions() {
    EditorOptions options = ReadEditorOptions(services_.registry);
    // Hidden while set, so that checking it does not bring up its note.
    ckOpenCurNBGD->hide();
    ckOpenCurNBGD->setChecked(options.openGameAtCurrentNeighbourhood);
    ckOpenCurNBGD->show();
    ckChkChdFormals->setChecked(options.showMissingChildFormals);
}

void TfrmMain::applyLocalisedTexts() {
    for (const ControlText& text : StartupControlTexts()) {
        QObject* control = findChild<QObject*>(QString::fromUtf8(text.control.data(), qsizetype(text.control.size())));
        if (control == nullptr) {
            continue;
        }
        QString composed = qt(ComposeText(text.parts));
        if (text.kind == ControlTextKind::Hint) {
            if (auto* widget = qobject_cast<QWidget*>(control)) {
                widget->setToolTip(composed);
            }
        } else {
            setCaption(control, composed);
        }
    }
    for (const PageInfo& row : MainWindowPages()) {
        pageButton(row.button)->setText(qt(ComposeText(row.rules.caption)));
    }
    setWindowTitle(qt(LangStr(6158) + " - " + LangStr(6159) + " " + GetVersionText() +
                      (GameIsReadOnly() ? " " + LangStr(7308) : std::string())));
    for (const auto& [kind, page] : pages_) {
        for (QGroupBox* group : page->groups()) group->setTitle(QString());
    }
}

void TfrmMain::applyExpansionFeatures() {
    const int level = AppSettings().ExpansionLevel;
    const bool hasPets = std::filesystem::is_directory(ResolveCaseInsensitive(AppSettings().GamePath, "ExpansionPack5"));
    ExpansionFeatures features = FeaturesForExpansionLevel(level, hasPets);
    for (std::string_view name : features.hidden) {
        if (auto* control = findChild<QObject*>(QString::fromUtf8(name.data(), qsizetype(name.size())))) {
            if (auto* widget = qobject_cast<QWidget*>(control)) {
                widget->hide();
            } else if (auto* action = qobject_cast<QAction*>(control)) {
                action->setVisible(false);
            }
        }
    }
    for (const auto& [name, message] : features.captions) {
        if (auto* control = findChild<QObject*>(QString::fromUtf8(name.data(), qsizetype(name.size())))) {
            setCaption(control, qt(LangStr(message)));
        }
    }
    if (features.neighbourhoodTreeWidth > 0) {
        if (auto* tree = findChild<QWidget*>("tvNGBD")) {
            tree->resize(features.neighbourhoodTreeWidth, tree->height());
        }
    }
    if (features.restrictInterests) {
        restrictInterests();
    }
    if (auto* label = findChild<QLabel*>("lblNGBDDesc2")) {
        label->setText(qt(LangStr(NeighbourhoodDescriptionCaption(level))));
    }
}

void TfrmMain::restrictInterests() {
    QPushButton* interests = pageButton("btnInterests");
    interests->setEnabled(false);
    interests->setText(interests->text() + qt(LangStr(6078)));
    QPalette palette = interests->palette();
    palette.setColor(QPalette::ButtonText, ColorFromBgr(kRestrictedButtonColor));
    interests->setPalette(palette);
    for (std::string_view name : RestrictedInterestWidgets()) {
        if (auto* widget = findChild<QWidget*>(QString::fromUtf8(name.data(), qsizetype(name.size())))) {
            widget->hide();
        }
    }
}

void TfrmMain::ckOpenCurNBGDClick(bool checked) {
    if (!ckOpenCurNBGD->isHidden() && AppSettings().ExpansionLevel == 0 && checked) {
        StyledMessageDlg(services_.dialogs, LangStr(5022),
                         "If this option is set the current neighborhood will always be swapped with Neighborhood "
                         "1 when exiting this program.",
                         MsgKind::None, 0, mrNone, mbOK);
    }
}

}  // namespace corvane
