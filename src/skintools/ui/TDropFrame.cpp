#include "skintools/ui/TDropFrame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QResizeEvent>
#include <QTimer>
#include <QUrl>

namespace corvane {

TDropFrame::TDropFrame(QWidget* parent) : QFrame(parent) {
    setObjectName("DropFrame");
    setFrameShape(QFrame::StyledPanel);
    lblDropFrame = new QLabel(this);
    lblDropFrame->setObjectName("lblDropFrame");
    lblDropFrame->setAlignment(Qt::AlignCenter);
    lblDropFrame->setWordWrap(true);
    imgImportBMP = new QLabel(this);
    imgImportBMP->setObjectName("imgImportBMP");
    imgImportBMP->setScaledContents(true);
    imgImportBMP->hide();
}

void TDropFrame::setDropHandler(std::function<void(const std::filesystem::path&)> handler) {
    dropped_ = std::move(handler);
    setAcceptDrops(static_cast<bool>(dropped_));
}

void TDropFrame::showPicture(const QPixmap& picture) {
    lblDropFrame->hide();
    imgImportBMP->setGeometry(contentsRect());
    imgImportBMP->setPixmap(picture);
    imgImportBMP->show();
}

void TDropFrame::clearPicture() {
    imgImportBMP->hide();
    imgImportBMP->clear();
    lblDropFrame->show();
}

void TDropFrame::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    lblDropFrame->setGeometry(contentsRect());
    imgImportBMP->setGeometry(contentsRect());
}

void TDropFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (dropped_ && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TDropFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!dropped_ || urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    // Handled once the drop is over: its questions must not keep the file manager waiting.
    const std::filesystem::path file = urls.front().toLocalFile().toStdString();
    QTimer::singleShot(0, this, [this, file] {
        if (dropped_) dropped_(file);
    });
}

}  // namespace corvane
