#include "skintools/ui/SkinToolControls.h"

#include "app/ui/EditorPage.h"
#include "app/ui/GameText.h"
#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"
#include "skins/SkinCatalogue.h"

#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace corvane {

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
