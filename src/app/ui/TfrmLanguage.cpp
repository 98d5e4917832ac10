#include "app/ui/TfrmLanguage.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {

namespace {

const char* const kIntroduction =
    "We were unable to locate the Language setting for your Game, please choose from the languages below the "
    "language your game uses. This setting is only used to determine the names displayed for some characters. ";

// As the game's own installer names them.
const char* const kLanguages[] = {"USEnglish", "UKEnglish", "French",  "German",
                                  "Italian",   "Spanian",   "Dutch",   "Swedish",
                                  "Finnish",   "Portuguese", "Japanese", "Polish",
                                  "Traditional Chinese", "Simplified Chinese", "Thai", "Korean"};

}  // namespace

TfrmLanguage::TfrmLanguage(QWidget* parent) : QDialog(parent) {
    setObjectName("frmLanguage");
    setWindowTitle("Choose Language");
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    auto* introduction = new QLabel(kIntroduction, this);
    introduction->setWordWrap(true);
    layout->addWidget(introduction);
    lbLanguages = new QListWidget(this);
    lbLanguages->setObjectName("lbLanguages");
    for (const char* language : kLanguages) {
        lbLanguages->addItem(language);
    }
    lbLanguages->setCurrentRow(0);
    layout->addWidget(lbLanguages);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("btnOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(lbLanguages, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    resize(360, 420);
}

void TfrmLanguage::done(int result) {
    // Closing the window any way still answers the question: the game needs a language.
    if (QListWidgetItem* item = lbLanguages->currentItem()) {
        SelectedLanguage = item->text();
    }
    QDialog::done(result);
}

}  // namespace corvane
