#include "profiles/ui/TframeCVPPreview.h"

#include "app/ui/TACImage.h"

#include <QCheckBox>
#include <QLabel>

namespace corvane {

namespace {

constexpr int kLeft = 20;
constexpr int kTop = 10;
constexpr int kColumns = 4;
constexpr int kColumnStep = 80;
constexpr int kRowStep = 70;
constexpr int kBoxWidth = 250;
constexpr int kBoxGap = 5;

}  // namespace

TframeCVPPreview::TframeCVPPreview(QWidget* parent)
    : QScrollArea(parent), content_(new QWidget), lblCVPPreviewSizer_(new QLabel(content_)) {
    setObjectName("frameCVPPreview");
    setFrameShape(QFrame::NoFrame);
    lblCVPPreviewSizer_->setObjectName("lblCVPPreviewSizer");
    lblCVPPreviewSizer_->hide();
    content_->resize(1, 1);
    setWidget(content_);
}

void TframeCVPPreview::addImage(const QPixmap& picture, const QString& fileName, int tag) {
    auto* cell = new TACImage(content_);
    cell->setPixmap(picture);
    cell->setToolTip(fileName);
    cell->show();
    cells_.push_back(cell);
    auto* box = new QCheckBox(content_);
    box->setChecked(true);
    box->setToolTip(fileName);
    box->show();
    imageBoxes_.push_back({box, tag});
    layOut();
}

QCheckBox* TframeCVPPreview::fileBox(const QString& fileName, int tag, std::vector<Item>& into) {
    auto* box = new QCheckBox(fileName, content_);
    box->setChecked(true);
    box->show();
    into.push_back({box, tag});
    layOut();
    return box;
}

void TframeCVPPreview::addCmx(const QString& fileName, int tag) {
    fileBox(fileName, tag, cmxBoxes_);
}

void TframeCVPPreview::addSkn(const QString& fileName, int tag) {
    fileBox(fileName, tag, sknBoxes_);
}

void TframeCVPPreview::clearItems() {
    for (TACImage* cell : cells_) delete cell;
    for (auto* items : {&imageBoxes_, &cmxBoxes_, &sknBoxes_}) {
        for (const Item& item : *items) delete item.box;
        items->clear();
    }
    cells_.clear();
    content_->resize(1, 1);
}

void TframeCVPPreview::uncheckAll() {
    for (const auto* items : {&imageBoxes_, &cmxBoxes_, &sknBoxes_}) {
        for (const Item& item : *items) item.box->setChecked(false);
    }
}

void TframeCVPPreview::layOut() {
    int bottom = 0;  // of the last item placed
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const QRect cell(kLeft + kColumnStep * static_cast<int>(k % kColumns),
                         kTop + kRowStep * static_cast<int>(k / kColumns), kCellSize, kCellSize);
        cells_[k]->setGeometry(cell);
        const int h = imageBoxes_[k].box->sizeHint().height();
        imageBoxes_[k].box->setGeometry(cell.right() + 2, cell.bottom() + 1 - h, h, h);
        bottom = cell.bottom() + 1;
    }
    int sizerTop = cells_.empty() ? 0 : bottom + 38;
    // Character files below the pictures, meshes below the character files.
    const auto stack = [&](const std::vector<Item>& boxes, int gapAfterAbove) {
        // The first box of its kind: at the top, or below what stands above.
        if (boxes.empty()) return;
        const int firstTop = bottom == 0 ? kTop : bottom + gapAfterAbove;
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const int h = boxes[k].box->sizeHint().height();
            boxes[k].box->setGeometry(kLeft, firstTop + (h + kBoxGap) * static_cast<int>(k), kBoxWidth, h);
            bottom = boxes[k].box->geometry().bottom() + 1;
        }
        sizerTop = bottom + 10;
    };
    stack(cmxBoxes_, 10);
    stack(sknBoxes_, cmxBoxes_.empty() ? 10 : 5);
    lblCVPPreviewSizer_->move(kLeft, sizerTop);
    int right = 0;
    for (const QWidget* child : content_->findChildren<QWidget*>()) {
        if (child != lblCVPPreviewSizer_) right = std::max(right, child->geometry().right() + 1);
    }
    content_->resize(std::max(right + kLeft, 1), std::max(sizerTop + lblCVPPreviewSizer_->height(), 1));
}

}  // namespace corvane
