#pragma once

#include <QTreeWidget>

namespace corvane {

// A tree of the duplicate search page. Its file nodes (the third level) can
// be dragged to the other tree; a drop says which tree the node came from,
// and the page acts only on a drop from the other one.
class TDupsTree : public QTreeWidget {
    Q_OBJECT

public:
    explicit TDupsTree(QWidget* parent);

    // What a drag carries: the name of the tree it left.
    static constexpr const char* kDragFormat = "application/x-corvane-skin-tree";

    // The drag of `items`: one file node drags, anything else does not
    // (nullptr: no drag starts).
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;

    // A file node: below a folder node below the root.
    static bool isFileNode(const QTreeWidgetItem* node);

signals:
    // A file node of the tree named `origin` was dropped here.
    void fileDropped(const QString& origin);

protected:
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace corvane
