#include "skintools/ui/TSkinValidatePage.h"

#include "app/ui/ReportFailure.h"
#include "app/ui/TfrmBusy.h"
#include "platform/LanguageModule.h"
#include "skins/SkinCatalogue.h"
#include "skins/SkinFolders.h"
#include "skintools/SkinToolFiles.h"
#include "skintools/SkinValidation.h"
#include "skintools/ui/TfrmBMPEdit.h"
#include "skintools/ui/TfrmCMXEdit.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <utility>

namespace corvane {

namespace {

constexpr int kExplanation[] = {7109, 7110, 7111, 7112, 7113};
constexpr MessageId kProblemsFound{7114};
constexpr MessageId kCheckingCharacterFiles{7115};
constexpr MessageId kNoProblems{7117};
constexpr MessageId kCatalogueIncomplete{7093};

QString explanation() {
    std::string text;
    for (const int id : kExplanation) {
        if (!text.empty()) text += " ";
        text += LangStr(MessageId{id});
    }
    return QString::fromStdString(text);
}

}  // namespace

TSkinValidatePage::TSkinValidatePage(const PageServices& services, const PageInfo& row, QWidget* parent)
    : EditorPage(services, row, parent) {
    createControls(group("grpSkinValidate"));
    colourEditor_ = ColourCorrectionEditor(window(), settings(), dialogs());
    characterFileEditor_ = CharacterFileEditor(window(), settings(), dialogs());
}

void TSkinValidatePage::createControls(QGroupBox* box) {
    lblValidExplain = new QLabel(box);
    lblValidExplain->setObjectName("lblValidExplain");
    lblValidExplain->setGeometry(8, 16, 375, 96);
    lblValidExplain->setWordWrap(true);
    lblValidExplain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSkinValidate = new QLabel(box);
    lblSkinValidate->setObjectName("lblSkinValidate");
    lblSkinValidate->setGeometry(8, 116, 375, 20);
    lbProblemList = new QListWidget(box);
    lbProblemList->setObjectName("lbProblemList");
    lbProblemList->setGeometry(8, 140, 375, 306);
    btnValidate = new QPushButton("ReValidate Skin Data", box);
    btnValidate->setObjectName("btnValidate");
    btnValidate->setGeometry(203, 454, 180, 30);
    btnValidate->hide();
    connect(lbProblemList, &QListWidget::itemDoubleClicked, this, &TSkinValidatePage::lbProblemListDblClick);
    connect(btnValidate, &QPushButton::clicked, this, &TSkinValidatePage::btnSkinValidateClick);
}

void TSkinValidatePage::showPage() {
    btnSkinValidateClick();
}

void TSkinValidatePage::restPage() {
    clearProblems();
}

void TSkinValidatePage::clearProblems() {
    lbProblemList->clear();
    problems_.clear();
}

void TSkinValidatePage::btnSkinValidateClick() {
    SkinCatalogue& catalogue = GameSkinCatalogue();
    bool checked = false;
    bool stopped = false;
    SkippedFiles skipped;
    {
        const PageLock locked(host());
        lblValidExplain->setText(explanation());
        lblSkinValidate->setText(QString::fromStdString(LangStr(kProblemsFound)));
        lblSkinValidate->setAutoFillBackground(false);
        lblSkinValidate->setAttribute(Qt::WA_TranslucentBackground);
        clearProblems();
        const auto busy = host().ShowBusy(LangStr(kCheckingCharacterFiles), BusyCancel::Offered);
        if (auto* window = dynamic_cast<TfrmBusy*>(busy.get())) {
            window->setBusyWidth(group("grpSkinValidate")->width() - 4);
        }
        checked = ReportFailure(dialogs(), [&] {
            const SkinFolders folders(settings().GamePath, settings().ExpansionLevel);
            ValidationResult result = ValidateSkins(folders, catalogue, CancellableScan(*busy));
            problems_ = std::move(result.problems);
            stopped = result.stopped;
            skipped = std::move(result.skipped);
        });
        for (const ProblemRecordDetails& problem : problems_) {
            lbProblemList->addItem(QString::fromStdString(problem.FileName));
        }
    }
    // Without every archive's meshes, meshes that are installed may be listed as missing.
    if (catalogue.ArchiveReadError) {
        TellSkinTool(dialogs(), LangStr(kCatalogueIncomplete) + "\n" + catalogue.ArchiveReadCause, MsgKind::Warning);
    }
    TellSkippedFiles(dialogs(), skipped);
    btnValidate->setVisible(!problems_.empty());
    // A check that failed has said why, and a stopped one cannot say that all is well.
    if (checked && !stopped && problems_.empty()) TellSkinTool(dialogs(), LangStr(kNoProblems), MsgKind::None);
}

void TSkinValidatePage::lbProblemListDblClick() {
    const int row = lbProblemList->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= problems_.size()) return;
    const ProblemRecordDetails problem = problems_[static_cast<std::size_t>(row)];
    host().LoadSkinData();
    switch (RepairFor(problem)) {
        case ProblemRepair::ShowDescription:
            TellSkinTool(dialogs(), problem.Description, MsgKind::None);
            return;
        case ProblemRepair::ColourEditor:
            colourEditor_(problem);
            break;
        case ProblemRepair::CharacterFileEditor:
            characterFileEditor_(problem);
            break;
    }
    // Saved or not, the file's problems leave the list: the next check lists what is left.
    for (const std::size_t removed : RemoveProblemsOfFile(problems_, problem)) {
        delete lbProblemList->takeItem(static_cast<int>(removed));
    }
}

}  // namespace corvane
