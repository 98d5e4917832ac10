#include "skintools/ui/TfrmBMPEdit.h"

#include "app/ui/BitmapImage.h"
#include "platform/LanguageModule.h"
#include "render/TextureCorrection.h"
#include "skintools/EditorBackups.h"

#include <QLabel>
#include <QPixmap>

#include <memory>

namespace corvane {

namespace {

constexpr int kCaption = 6192;
constexpr MessageId kOriginal{6154};
constexpr MessageId kCorrected{6189};

// The whole picture, as large as the place allows, its sides kept in proportion.
void showPicture(QLabel& image, const Bitmap& bitmap) {
    const QPixmap picture = QPixmap::fromImage(ImageOfBitmap(bitmap));
    // Enlarged, a texture keeps its sharp pixels; reduced, every pixel counts.
    const bool reduced = picture.width() > image.width() || picture.height() > image.height();
    image.setPixmap(picture.scaled(image.size(), Qt::KeepAspectRatio,
                                   reduced ? Qt::SmoothTransformation : Qt::FastTransformation));
}

}  // namespace

TfrmBMPEdit::TfrmBMPEdit(const ProblemRecordDetails& problem, const Settings& settings, Dialogs& dialogs,
                         QWidget* parent)
    : TRepairDialog(problem, TextureBackupFolder(), dialogs, parent) {
    setObjectName("frmBMPEdit");
    imgOriginal = createLabel("imgOriginal", originalArea());
    imgNew = createLabel("imgNew", newArea());
    for (QLabel* image : {imgOriginal, imgNew}) image->setAlignment(Qt::AlignCenter);
    setTexts(kCaption,
             QString::fromStdString(LangStr(kOriginal) + " (") + QString::fromStdString(problem.FileName) + ")",
             DisplayedText(problem.Description));
    lblNew->setText(QString::fromStdString(LangStr(kCorrected)));

    CorrectedTexture texture = CorrectTextureFile(file());
    current_ = std::move(texture.original);
    proposal_ = std::move(texture.corrected);
    proposalBytes_ = std::move(texture.bytes);
    showPicture(*imgOriginal, current_);
    showPicture(*imgNew, proposal_);
    styleControls(settings);
}

std::string TfrmBMPEdit::repairedBytes() const {
    return {proposalBytes_.begin(), proposalBytes_.end()};
}

RepairEditor ColourCorrectionEditor(QWidget* parent, const Settings& settings, Dialogs& dialogs) {
    return [parent, &settings, &dialogs](const ProblemRecordDetails& problem) {
        return ShowRepairEditor(dialogs, [&] {
            return std::make_unique<TfrmBMPEdit>(problem, settings, dialogs, parent);
        });
    };
}

}  // namespace corvane
