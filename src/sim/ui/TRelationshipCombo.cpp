#include "sim/ui/TRelationshipCombo.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace corvane {

namespace {

class HeartsDelegate : public QStyledItemDelegate {
public:
    explicit HeartsDelegate(TRelationshipCombo& combo) : QStyledItemDelegate(&combo), combo_(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        combo_.drawItem(*painter, option.rect, index.row(), (option.state & QStyle::State_Selected) != 0);
    }

private:
    TRelationshipCombo& combo_;
};

}  // namespace

TRelationshipCombo::TRelationshipCombo(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new HeartsDelegate(*this));
}

void TRelationshipCombo::setHeart(const QPixmap& heart) {
    heart_ = heart;
}

void TRelationshipCombo::setHearts(int index, int count) {
    setItemData(index, count, kHeartsRole);
    update();
}

void TRelationshipCombo::drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const {
    painter.save();
    painter.fillRect(rect, palette().brush(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QString text = itemText(index);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    const int hearts = itemData(index, kHeartsRole).toInt();
    for (int h = 0; h < hearts && !heart_.isNull(); ++h) {
        painter.drawPixmap(rect.left() + textWidth + kHeartGap + h * heart_.width(), rect.top(), heart_);
    }
    painter.drawText(rect.adjusted(kTextLeft, kTextTop, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
}

void TRelationshipCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() >= 0) {
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        drawItem(painter, field, currentIndex(), false);
    }
}

}  // namespace corvane
