#pragma once

#include <QString>
#include <QVariant>

class QTreeWidget;
class QTreeWidgetItem;

namespace corvane {

class Dialogs;

// The read-only trees of folder names (the neighbourhood page, the duplicate
// search): a root, one group node per folder, leaves below a group. Node
// texts are compared ignoring letter case. Node pictures: 0 root, 1 group
// (2 while selected), 3 leaf.

inline constexpr int kTreeDataRole = Qt::UserRole;
inline constexpr int kTreeImageRole = Qt::UserRole + 1;
inline constexpr int kTreeSelectedImageRole = Qt::UserRole + 2;

// When the tree has no nodes, adds a root with `text` and selects it.
void TreeAddRoot(QTreeWidget& tree, const QString& text);
// Selects the root; adds a child of the root with `text` unless one has it;
// then selects the first child of the root with that text.
void TreeAddGroup(QTreeWidget& tree, const QString& text);
// Adds a child with `text` (and `data`, when valid) under the selected node.
QTreeWidgetItem* TreeAddLeaf(QTreeWidget& tree, const QString& text, const QVariant& data = {});
// Deletes every node with `text`, walking from the last node to the first; a
// root with the text is not deleted: "Cant delete the root" is shown and the
// walk stops there. False when it stopped at a root.
bool TreeDeleteByText(QTreeWidget& tree, const QString& text, Dialogs& dialogs);
// Gives the node left its picture and the node selected its selected picture
// (connected to the tree's currentItemChanged).
void ShowSelectedNodeImage(QTreeWidgetItem* previous, QTreeWidgetItem* current);
// Whether the node itself (when `includeNode`) or one of its siblings has `text`; false for no node.
bool TreeSiblingHasText(const QTreeWidgetItem* node, const QString& text, bool includeNode);

}  // namespace corvane
