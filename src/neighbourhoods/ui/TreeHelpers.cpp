#include "neighbourhoods/ui/TreeHelpers.h"

#include "platform/LanguageModule.h"
#include "platform/StyledMessageDlg.h"

#include <QApplication>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <vector>

namespace corvane {

namespace {

bool sameText(const QTreeWidgetItem& node, const QString& text) {
    return node.text(0).compare(text, Qt::CaseInsensitive) == 0;
}

QIcon nodeIcon(int image) {
    constexpr QStyle::StandardPixmap kPictures[] = {QStyle::SP_DriveHDIcon, QStyle::SP_DirClosedIcon,
                                                    QStyle::SP_DirOpenIcon, QStyle::SP_FileIcon};
    return QApplication::style()->standardIcon(kPictures[image]);
}

QTreeWidgetItem* newNode(const QString& text, int image, int selectedImage) {
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setIcon(0, nodeIcon(image));
    node->setData(0, kTreeImageRole, image);
    node->setData(0, kTreeSelectedImageRole, selectedImage);
    return node;
}

void select(QTreeWidget& tree, QTreeWidgetItem* node) {
    tree.setCurrentItem(node);
}

}  // namespace

void ShowSelectedNodeImage(QTreeWidgetItem* previous, QTreeWidgetItem* current) {
    if (previous != nullptr) previous->setIcon(0, nodeIcon(previous->data(0, kTreeImageRole).toInt()));
    if (current != nullptr) current->setIcon(0, nodeIcon(current->data(0, kTreeSelectedImageRole).toInt()));
}

namespace {

// Every node in the order the tree shows them when fully expanded.
void collect(QTreeWidgetItem* node, std::vector<QTreeWidgetItem*>& nodes) {
    nodes.push_back(node);
    for (int i = 0; i < node->childCount(); ++i) collect(node->child(i), nodes);
}

}  // namespace

void TreeAddRoot(QTreeWidget& tree, const QString& text) {
    if (tree.topLevelItemCount() > 0) return;
    QTreeWidgetItem* root = newNode(text, 0, 0);
    tree.addTopLevelItem(root);
    select(tree, root);
}

void TreeAddGroup(QTreeWidget& tree, const QString& text) {
    QTreeWidgetItem* root = tree.topLevelItem(0);
    if (root == nullptr) return;
    select(tree, root);
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < root->childCount() && found == nullptr; ++i) {
        if (sameText(*root->child(i), text)) found = root->child(i);
    }
    if (found == nullptr) {
        found = newNode(text, 1, 2);
        root->addChild(found);
        root->setExpanded(true);
    }
    select(tree, found);
}

QTreeWidgetItem* TreeAddLeaf(QTreeWidget& tree, const QString& text, const QVariant& data) {
    QTreeWidgetItem* leaf = newNode(text, 3, 3);
    if (data.isValid()) leaf->setData(0, kTreeDataRole, data);
    if (QTreeWidgetItem* parent = tree.currentItem()) {
        parent->addChild(leaf);
    } else {
        tree.addTopLevelItem(leaf);
    }
    return leaf;
}

bool TreeDeleteByText(QTreeWidget& tree, const QString& text, Dialogs& dialogs) {
    std::vector<QTreeWidgetItem*> nodes;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) collect(tree.topLevelItem(i), nodes);
    for (auto node = nodes.rbegin(); node != nodes.rend(); ++node) {
        if (!sameText(**node, text)) continue;
        if ((*node)->parent() == nullptr) {
            StyledMessageDlg(dialogs, LangStr(5022), "Cant delete the root", MsgKind::None, 0, mrOk, mbOK);
            return false;
        }
        delete *node;
    }
    return true;
}

bool TreeSiblingHasText(const QTreeWidgetItem* node, const QString& text, bool includeNode) {
    if (node == nullptr) return false;
    const QTreeWidgetItem* parent = node->parent();
    const QTreeWidget* tree = node->treeWidget();
    const int count = parent != nullptr ? parent->childCount() : (tree != nullptr ? tree->topLevelItemCount() : 1);
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* sibling =
            parent != nullptr ? parent->child(i) : (tree != nullptr ? tree->topLevelItem(i) : node);
        if (sibling == node && !includeNode) continue;
        if (sameText(*sibling, text)) return true;
    }
    return false;
}

}  // namespace corvane
