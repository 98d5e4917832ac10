#include "skins/ui/TSkinSelectPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace corvane {

namespace {

constexpr int kTextureItemHeight = 42;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// lbTextureDrawItem: the entry's picture at the item's corner, its name beside it.
class TextureItemDelegate : public QStyledItemDelegate {
public:
    explicit TextureItemDelegate(const TSkinSelectPanel& panel) : QStyledItemDelegate(nullptr), panel_(panel) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        int pictureWidth = 0;
        const auto row = static_cast<std::size_t>(index.row());
        if (row < panel_.imgListSkins.size()) {
            const QPixmap& picture = panel_.imgListSkins[row];
            painter->drawPixmap(option.rect.left() + 1, option.rect.top() + 1, picture);
            pictureWidth = picture.width();
        }
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect text(option.rect.left() + pictureWidth + 4, option.rect.top() + 2, option.rect.width(),
                         option.rect.height() - 2);
        painter->drawText(text, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kTextureItemHeight};
    }

private:
    const TSkinSelectPanel& panel_;
};

}  // namespace

TSkinSelectPanel::TSkinSelectPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName("grpSelectSkins");
    lblCurMesh = new QLabel("Current Mesh (Skin Base):", this);
    lblCurMesh->setObjectName("lblCurMesh");
    lblCurMesh->setGeometry(6, 12, 188, 16);
    cbMesh = new QComboBox(this);
    cbMesh->setObjectName("cbMesh");
    cbMesh->setGeometry(6, 28, 130, 24);
    btnDeleteMesh = new QPushButton("Delete", this);
    btnDeleteMesh->setObjectName("btnDeleteMesh");
    btnDeleteMesh->setGeometry(140, 28, 54, 24);
    btnDeleteMesh->setEnabled(false);
    lblCurTexture = new QLabel("Selected Texture (Skin):", this);
    lblCurTexture->setObjectName("lblCurTexture");
    lblCurTexture->setGeometry(6, 56, 188, 16);
    lbTexture = new QListWidget(this);
    lbTexture->setObjectName("lbTexture");
    lbTexture->setGeometry(6, 72, 188, 170);
    lbTexture->setUniformItemSizes(true);
    lbTexture->setItemDelegate(new TextureItemDelegate(*this));
    lbTexture->itemDelegate()->setParent(lbTexture);
    btnDeleteTexture = new QPushButton("Delete", this);
    btnDeleteTexture->setObjectName("btnDeleteTexture");
    btnDeleteTexture->setGeometry(140, 246, 54, 24);
    btnDeleteTexture->setEnabled(false);

    connect(cbMesh, &QComboBox::currentIndexChanged, this, [this] { emit meshChanged(); });
    connect(lbTexture, &QListWidget::currentRowChanged, this, [this] { emit textureClicked(); });
    connect(btnDeleteMesh, &QPushButton::clicked, this, [this] { emit deleteMeshClicked(); });
    connect(btnDeleteTexture, &QPushButton::clicked, this, [this] { emit deleteTextureClicked(); });
}

void TSkinSelectPanel::showMeshes(const std::vector<std::string>& names, int selected) {
    const QSignalBlocker quiet(cbMesh);
    cbMesh->clear();
    for (const std::string& name : names) cbMesh->addItem(qt(name));
    cbMesh->setCurrentIndex(selected < cbMesh->count() ? selected : -1);
    cbMesh->setToolTip(cbMesh->currentText());
}

void TSkinSelectPanel::showTextures(const std::vector<std::string>& names, std::vector<QPixmap> pictures,
                                   int selected) {
    const QSignalBlocker quiet(lbTexture);
    lbTexture->clear();
    imgListSkins = std::move(pictures);
    for (const std::string& name : names) lbTexture->addItem(qt(name));
    lbTexture->setCurrentRow(selected < lbTexture->count() ? selected : -1);
}

void TSkinSelectPanel::clearLists() {
    showMeshes({}, -1);
    showTextures({}, {}, -1);
}

std::string TSkinSelectPanel::meshText() const {
    return cbMesh->currentText().toStdString();
}

std::string TSkinSelectPanel::selectedTexture() const {
    const QListWidgetItem* item = lbTexture->currentItem();
    return item == nullptr || lbTexture->currentRow() < 0 ? std::string() : item->text().toStdString();
}

int TSkinSelectPanel::textureCount() const {
    return lbTexture->count();
}

}  // namespace corvane
