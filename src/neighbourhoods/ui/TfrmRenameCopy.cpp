#include "neighbourhoods/ui/TfrmRenameCopy.h"

#include "app/ui/StyleForm.h"
#include "platform/LanguageModule.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace corvane {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TfrmRenameCopy::TfrmRenameCopy(const NameChoice& choice, const Settings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName("frmRenameCopy");
    setWindowTitle(qt(choice.caption));
    setFixedSize(260, 290);
    lblRenameCopy = new QLabel(qt(choice.label), this);
    lblRenameCopy->setObjectName("lblRenameCopy");
    lblRenameCopy->setGeometry(10, 8, 240, 34);
    lblRenameCopy->setWordWrap(true);
    cbRenameCopy = new QListWidget(this);
    cbRenameCopy->setObjectName("cbRenameCopy");
    cbRenameCopy->setGeometry(10, 46, 240, 194);
    for (const std::string& name : choice.names) cbRenameCopy->addItem(qt(name));
    if (cbRenameCopy->count() > 0) cbRenameCopy->setCurrentRow(0);
    btnOK = new QPushButton(qt(LangStr(5010)), this);
    btnOK->setObjectName("btnOK");
    btnOK->setGeometry(50, 250, 75, 28);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(qt(LangStr(5011)), this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setGeometry(135, 250, 75, 28);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbRenameCopy, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    StyleForm(this, settings);
}

void TfrmRenameCopy::done(int result) {
    if (const QListWidgetItem* item = cbRenameCopy->currentItem()) ChosenName = item->text();
    QDialog::done(result);
}

NameChooser RenameCopyDialogChooser(QWidget* parent, const Settings& settings) {
    return [parent, &settings](const NameChoice& choice) -> std::optional<std::string> {
        TfrmRenameCopy dialog(choice, settings, parent);
        if (dialog.exec() != QDialog::Accepted || dialog.ChosenName.isEmpty()) return std::nullopt;
        return dialog.ChosenName.toStdString();
    };
}

}  // namespace corvane
