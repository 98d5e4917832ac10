#include "skintools/ui/TRepairDialog.h"

#include "app/ui/ReportFailure.h"
#include "app/ui/StyleForm.h"
#include "platform/LanguageModule.h"
#include "skintools/EditorBackups.h"
#include "skintools/SkinToolFiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace corvane {

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 560;
constexpr MessageId kKeepBackup{6190};
constexpr MessageId kSave{5061};
constexpr MessageId kClose{5008};
constexpr MessageId kSaved{7156};

}  // namespace

QString DisplayedText(const std::string& text8) {
    QString text = QString::fromStdString(text8);
    text.replace("\r\n", "\n");
    return text;
}

TRepairDialog::TRepairDialog(const ProblemRecordDetails& problem, std::filesystem::path backupFolder, Dialogs& dialogs,
                             QWidget* parent)
    : QDialog(parent), problem_(problem), backupFolder_(std::move(backupFolder)), dialogs_(dialogs) {
    setFixedSize(kWidth, kHeight);
    lblOriginal = createLabel("lblOriginal", {10, 6, 330, 36});
    lblOriginal->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    lblNew = createLabel("lblNew", {360, 6, 330, 36});
    lblNew->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    lblProblem = createLabel("lblProblem", {10, 350, 680, 96});
    lblProblem->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblProblem->setWordWrap(true);
    lblProblem->setTextFormat(Qt::PlainText);
    lblPath = createLabel("lblPath", {10, 452, 680, 20});
    lblPath->setText("Full Path: ");
    ckBackup = new QCheckBox(this);
    ckBackup->setObjectName("ckBackup");
    ckBackup->setGeometry(10, 480, 20, 20);
    ckBackup->setChecked(true);
    lblBackupFiles = createLabel("lblBackupFiles", {32, 480, 420, 20});
    lblBackupFiles->setBuddy(ckBackup);
    btnSaveChanges = new QPushButton(this);
    btnSaveChanges->setObjectName("btnSaveChanges");
    btnSaveChanges->setGeometry(470, 516, 110, 30);
    btnClose = new QPushButton(this);
    btnClose->setObjectName("btnClose");
    btnClose->setGeometry(590, 516, 100, 30);
    connect(btnSaveChanges, &QPushButton::clicked, this, &TRepairDialog::btnSaveChangesClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

std::filesystem::path TRepairDialog::file() const {
    return std::filesystem::path(problem_.Folder + problem_.FileName);
}

QLabel* TRepairDialog::createLabel(const char* name, const QRect& place) {
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(place);
    return label;
}

QRect TRepairDialog::originalArea() {
    return {10, 46, 330, 296};
}

QRect TRepairDialog::newArea() {
    return {360, 46, 330, 296};
}

void TRepairDialog::setTexts(int caption, const QString& original, const QString& problemText,
                             const QString& beforePath) {
    setWindowTitle(QString::fromStdString(LangStr(MessageId{caption})));
    lblOriginal->setText(original);
    lblBackupFiles->setText(QString::fromStdString(LangStr(kKeepBackup)));
    btnSaveChanges->setText(QString::fromStdString(LangStr(kSave)));
    btnClose->setText(QString::fromStdString(LangStr(kClose)));
    lblProblem->setText(problemText);
    lblPath->setText(lblPath->text() + beforePath + QString::fromStdString(file().string()));
}

void TRepairDialog::styleControls(const Settings& settings) {
    StyleForm(this, settings);
}

void TRepairDialog::btnSaveChangesClick() {
    const bool saved = ReportFailure(dialogs_, [&] {
        if (keepRepair_) {
            keepRepair_(repairedBytes());
        } else {
            SaveRepairedFile(file(), backupFolder_, ckBackup->isChecked(), repairedBytes());
        }
    });
    if (!saved) return;
    TellSkinTool(dialogs_, LangStr(kSaved), MsgKind::None);
    accept();
}

void TRepairDialog::keepRepairInstead(std::function<void(const std::string& bytes)> keep) {
    keepRepair_ = std::move(keep);
    ckBackup->hide();
    lblBackupFiles->hide();
}

bool ShowRepairEditor(Dialogs& dialogs, const std::function<std::unique_ptr<TRepairDialog>()>& make) {
    bool accepted = false;
    ReportFailure(dialogs, [&] { accepted = make()->exec() == QDialog::Accepted; });
    return accepted;
}

}  // namespace corvane
