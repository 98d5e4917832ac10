#include "skintools/ui/TDupsTree.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

namespace corvane {

namespace {

bool carriesNode(const QMimeData* data) {
    return data != nullptr && data->hasFormat(TDupsTree::kDragFormat);
}

}  // namespace

TDupsTree::TDupsTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    // The page moves the file itself: the view must not remove the dragged node.
    setDefaultDropAction(Qt::CopyAction);
}

bool TDupsTree::isFileNode(const QTreeWidgetItem* node) {
    return node != nullptr && node->parent() != nullptr && node->parent()->parent() != nullptr;
}

QMimeData* TDupsTree::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.size() != 1 || !isFileNode(items.front())) return nullptr;
    auto* carried = new QMimeData;
    carried->setData(kDragFormat, objectName().toUtf8());
    return carried;
}

QStringList TDupsTree::mimeTypes() const {
    return {kDragFormat};
}

// Entering and moving over the tree: only a node of the page's trees is taken.
void TDupsTree::dragMoveEvent(QDragMoveEvent* event) {
    if (carriesNode(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void TDupsTree::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TDupsTree::dropEvent(QDropEvent* event) {
    if (!carriesNode(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit fileDropped(QString::fromUtf8(event->mimeData()->data(kDragFormat)));
}

}  // namespace corvane
