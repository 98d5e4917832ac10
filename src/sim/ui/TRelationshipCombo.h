#pragma once

#include <QComboBox>
#include <QPixmap>

namespace corvane {

// The combo box of the relationships page: each item's text, and after it
// the hearts of a crush (one) or of love (two).
class TRelationshipCombo : public QComboBox {
    Q_OBJECT

public:
    static constexpr int kHeartsRole = Qt::UserRole + 1;
    static constexpr int kTextLeft = 4;
    static constexpr int kTextTop = 2;
    static constexpr int kHeartGap = 8;  // between the text and the first heart

    explicit TRelationshipCombo(QWidget* parent);

    void setHeart(const QPixmap& heart);
    void setHearts(int index, int count);

    // Draws one item into `rect`: the text, then the hearts.
    void drawItem(QPainter& painter, const QRect& rect, int index, bool selected) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap heart_;
};

}  // namespace corvane
