#include "skintools/ui/SkinToolControls.h"

#include "app/ui/EditorPage.h"
#include "app/ui/GameText.h"
#include "app/ui/TfrmBusy.h"
#include "platform/CaseInsensitivePath.h"
#include "platform/LanguageModule.h"
#include "platform/ShellFileOps.h"
#include "platform/StyledMessageDlg.h"
#include "skins/SkinCatalogue.h"
#include "skintools/SkinSeries.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace corvane {

SkinToolSettings PageSkinToolSettings(const Settings& settings, bool teens) {
    SkinToolSettings tool;
    tool.expansionLevel = settings.ExpansionLevel;
    tool.hasExpansionPack5 = IsFolder(ResolveCaseInsensitive(settings.GamePath, "ExpansionPack5"));
    tool.teens = teens;
    return tool;
}

std::string PreviewSkeletonFor(SkinKind kind, int age) {
    if (kind == SkinKind::Dog) return "dog_skeleton.cmx";
    if (kind == SkinKind::Cat) return "kat_skeleton.cmx";
    return age == 0 ? "adult-skeleton.cmx" : "child-skeleton.cmx";
}

QLineEdit* CreateLabelledField(QGroupBox* box, QLabel*& label, const char* labelName, const char* caption,
                               const char* fieldName, int top, int labelWidth) {
    label = new QLabel(caption, box);
    label->setObjectName(labelName);
    label->setGeometry(8, top + 2, labelWidth, 20);
    auto* field = new QLineEdit(box);
    field->setObjectName(fieldName);
    field->setGeometry(8 + labelWidth, top, 184 - labelWidth, 22);
    return field;
}

bool KeepSeriesDigits(QLineEdit& field) {
    const std::string digits = SeriesDigitsOnly(GameBytes(field.text()));
    if (GameText(digits) != field.text()) {
        const QSignalBlocker quiet(field);
        const int caret = field.cursorPosition();
        field.setText(GameText(digits));
        field.setCursorPosition(caret);
    }
    return field.text().size() == 3;
}

void FitBusyToPage(Progress& busy, const QWidget& pageBox) {
    if (auto* window = dynamic_cast<TfrmBusy*>(&busy)) window->setBusyWidth(pageBox.width() - 4);
}

bool LoadCatalogueForSearch(PageHost& host, Dialogs& dialogs) {
    if (host.LoadSkinData()) return true;
    const std::string text = LangStr(7093) + "\n" + GameSkinCatalogue().ArchiveReadCause;
    StyledMessageDlg(dialogs, LangStr(5022), text, MsgKind::Error, 0, mrOk, mbOK);
    return false;
}

QComboBox* CreateChoiceList(QGroupBox* box, const char* name, int top) {
    auto* list = new QComboBox(box);
    list->setObjectName(name);
    list->setGeometry(8, top, 184, 22);
    return list;
}

void FillChoiceList(QComboBox& list, const std::vector<ChoiceItem>& items, int selected) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const ChoiceItem& item : items) list.addItem(QString::fromStdString(item.text()));
    list.setCurrentIndex(selected >= 0 && selected < list.count() ? selected : 0);
}

void FillKindList(QComboBox& list, const std::vector<SkinKindItem>& kinds, SkinKind selected) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const SkinKindItem& item : kinds) {
        list.addItem(QString::fromStdString(ChoiceItem{item.messageId, {}}.text()), static_cast<int>(item.kind));
        if (item.kind == selected) list.setCurrentIndex(list.count() - 1);
    }
    if (list.currentIndex() < 0 && list.count() > 0) list.setCurrentIndex(0);
}

SkinKind SelectedKind(const QComboBox& list, SkinKind fallback) {
    const QVariant kind = list.currentData();
    return kind.isValid() ? static_cast<SkinKind>(kind.toInt()) : fallback;
}

int SelectedPosition(const QComboBox& list) {
    return list.currentIndex() < 0 ? 0 : list.currentIndex();
}

void FitGenderList(QComboBox& list, int items, int selected) {
    if (list.count() == items) {
        const QSignalBlocker quiet(list);
        list.setCurrentIndex(selected);
        return;
    }
    FillChoiceList(list, GenderItems(items), selected);
}

void ShowSkinList(QComboBox& list, const SkinList& skins) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const std::string& entry : skins.entries) list.addItem(GameText(entry));
    list.setCurrentIndex(skins.selected);
    list.setToolTip(list.currentText());
}

void PutBackFilteredName(QLineEdit& field, const std::string& filtered) {
    const QSignalBlocker quiet(field);
    const int caret = field.cursorPosition();
    const int removed = static_cast<int>(field.text().size() - GameText(filtered).size());
    field.setText(GameText(filtered));
    field.setCursorPosition(std::max(0, caret - removed));
}

void ShowNewName(QLabel& caption, QLabel& name, const QString& captionText, const QString& fileName) {
    for (QLabel* label : {&caption, &name}) {
        QFont bold = label->parentWidget()->font();
        bold.setBold(true);
        bold.setPointSizeF(bold.pointSizeF() + 2);
        label->setFont(bold);
        label->setAutoFillBackground(false);
        label->show();
    }
    caption.setText(captionText);
    name.setText(fileName);
}

}  // namespace corvane
