#include "app/ui/Artwork.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <numbers>

namespace corvane {

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kNavy(0, 64, 128);
const QColor kFrameBlue(40, 100, 210);
const QColor kHeartRed(215, 25, 40);
const QColor kHeartPink(250, 115, 175);
const QColor kGold(250, 200, 60);
const QColor kRaven(18, 18, 28);

// ---- Drawing on the transparent colour.

// Draws antialiased, then decides each edge pixel as either shape or
// magenta: a half-covered pixel blended with magenta would show as a pink
// fringe once magenta turns transparent over the editor's blue.
QImage onMagenta(int width, int height, const std::function<void(QPainter&)>& draw) {
    QImage layer(width, height, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        draw(p);
    }
    layer.convertTo(QImage::Format_ARGB32);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(layer.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            to[x] = qAlpha(from[x]) >= 128 ? (from[x] | 0xFF000000u) : kMagenta.rgb();
        }
    }
    return image;
}

QPointF onCircle(QPointF centre, double radius, double angle) {
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

QPainterPath starPath(QPointF centre, double outer, double inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? outer : inner;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const QPointF point = onCircle(centre, radius, angle);
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

QPainterPath pentagon(QPointF centre, double radius, double turn) {
    QPolygonF corners;
    for (int i = 0; i < 5; ++i) {
        corners << onCircle(centre, radius, turn + i * 2 * std::numbers::pi / 5);
    }
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    return path;
}

// A closed outline through the given corners.
QPainterPath polygonPath(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(corners));
    path.closeSubpath();
    return path;
}

QPen roundPen(const QColor& colour, double width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// ---- Hearts and the small status pictures (25 × 25 cells).

QPainterPath heartPath(const QRectF& box) {
    const double x = box.left();
    const double y = box.top();
    const double w = box.width();
    const double h = box.height();
    QPainterPath path;
    path.moveTo(x + w * 0.5, y + h);
    path.cubicTo(x + w * 0.38, y + h * 0.82, x, y + h * 0.62, x, y + h * 0.3);
    path.cubicTo(x, y + h * 0.02, x + w * 0.42, y - h * 0.06, x + w * 0.5, y + h * 0.22);
    path.cubicTo(x + w * 0.58, y - h * 0.06, x + w, y + h * 0.02, x + w, y + h * 0.3);
    path.cubicTo(x + w, y + h * 0.62, x + w * 0.62, y + h * 0.82, x + w * 0.5, y + h);
    path.closeSubpath();
    return path;
}

void drawHeart(QPainter& p, const QRectF& box, const QColor& colour) {
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, colour.lighter(120));
    shade.setColorAt(1, colour.darker(115));
    p.setPen(QPen(colour.darker(170), 1.2));
    p.setBrush(shade);
    p.drawPath(heartPath(box));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QRectF(box.left() + box.width() * 0.16, box.top() + box.height() * 0.14, box.width() * 0.2,
                         box.height() * 0.16));
}

// The blue frame on black that holds the small status pictures.
void drawFramedCell(QPainter& p, const QRectF& cell) {
    p.setPen(Qt::NoPen);
    p.setBrush(kFrameBlue);
    p.drawRect(cell.adjusted(1, 1, -1, -1));
    p.setBrush(Qt::black);
    p.drawRect(cell.adjusted(3, 3, -3, -3));
}

void drawCross(QPainter& p, const QRectF& cell) {
    drawFramedCell(p, cell);
    p.setPen(roundPen(kHeartRed, 3.2));
    const double in = 7.5;
    p.drawLine(cell.topLeft() + QPointF(in, in), cell.bottomRight() - QPointF(in, in));
    p.drawLine(cell.topRight() + QPointF(-in, in), cell.bottomLeft() + QPointF(in, -in));
}

void drawQuestionMark(QPainter& p, const QRectF& cell) {
    drawFramedCell(p, cell);
    const QPointF c = cell.center();
    QPainterPath hook;
    hook.moveTo(c + QPointF(-4, -3.5));
    hook.cubicTo(c + QPointF(-4, -8.5), c + QPointF(4.5, -8.5), c + QPointF(4.5, -3.8));
    hook.cubicTo(c + QPointF(4.5, -0.5), c + QPointF(0, 0), c + QPointF(0, 2.8));
    p.strokePath(hook, roundPen(kHeartRed, 2.8));
    p.setPen(Qt::NoPen);
    p.setBrush(kHeartRed);
    p.drawEllipse(c + QPointF(0, 6.6), 1.7, 1.7);
}

// ---- Career pictograms, each in a 28 × 22 cell on a tile of its colour.

// The empty case (no career) is the business case in outline.
void briefcaseShape(QPainter& p, bool filled) {
    const QRectF body(5.5, 7.5, 17, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(Qt::white, 1.6));
    p.drawRoundedRect(QRectF(11, 4, 6, 4), 1.5, 1.5);
    if (filled) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(body, 2, 2);
        p.setPen(QPen(QColor(0, 0, 0, 90), 1));
        p.drawLine(QPointF(body.left(), 11.5), QPointF(body.right(), 11.5));
    } else {
        p.drawRoundedRect(body, 2, 2);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(filled ? kGold : Qt::white);
    p.drawRect(QRectF(12.5, 10, 3, 3));
}
void unemployed(QPainter& p) {
    briefcaseShape(p, false);
}
void business(QPainter& p) {
    briefcaseShape(p, true);
}
void entertainment(QPainter& p) {
    p.setPen(QPen(kGold.darker(160), 1));
    p.setBrush(kGold);
    p.drawPath(starPath(QPointF(14, 11.8), 9, 3.8));
}
void lawEnforcement(QPainter& p) {
    QPainterPath shield;
    shield.moveTo(14, 2.5);
    shield.cubicTo(16.5, 4, 19, 4.5, 21.5, 4.5);
    shield.cubicTo(21.5, 12, 19.5, 17, 14, 20);
    shield.cubicTo(8.5, 17, 6.5, 12, 6.5, 4.5);
    shield.cubicTo(9, 4.5, 11.5, 4, 14, 2.5);
    p.setPen(QPen(kGold.darker(170), 1));
    p.setBrush(kGold);
    p.drawPath(shield);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(starPath(QPointF(14, 10.5), 4.2, 1.8));
}
void crime(QPainter& p) {
    QPainterPath mask;
    mask.moveTo(3.5, 9);
    mask.cubicTo(7, 5, 11.5, 6, 14, 8.5);
    mask.cubicTo(16.5, 6, 21, 5, 24.5, 9);
    mask.cubicTo(25, 14, 21, 16.5, 17.5, 14.5);
    mask.quadTo(14, 12.5, 10.5, 14.5);
    mask.cubicTo(7, 16.5, 3, 14, 3.5, 9);
    QPainterPath eyes;
    eyes.addEllipse(QRectF(6.8, 8.2, 5.4, 3.8));
    eyes.addEllipse(QRectF(15.8, 8.2, 5.4, 3.8));
    p.setBrush(Qt::white);
    p.drawPath(mask.subtracted(eyes));
    p.setPen(roundPen(Qt::white, 1.2));
    p.drawLine(QPointF(4, 10.5), QPointF(1.8, 15));
    p.drawLine(QPointF(24, 10.5), QPointF(26.2, 15));
}
void medicine(QPainter& p) {
    p.setBrush(QColor(220, 30, 35));
    p.drawRect(QRectF(11.5, 3.5, 5, 15));
    p.drawRect(QRectF(6.5, 8.5, 15, 5));
}
void military(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        const double y = 4.5 + i * 4.8;
        QPainterPath chevron;
        chevron.moveTo(6.5, y + 4.5);
        chevron.lineTo(14, y);
        chevron.lineTo(21.5, y + 4.5);
        p.strokePath(chevron, QPen(kGold, 2.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    }
}
void politics(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7.5, 4, 1.6, 15.5));
    p.setBrush(kGold);
    p.drawEllipse(QPointF(8.3, 3.2), 1.6, 1.6);
    QPainterPath flag;
    flag.moveTo(9, 4.5);
    flag.cubicTo(13, 2.5, 16, 7, 22, 4.5);
    flag.lineTo(22, 12.5);
    flag.cubicTo(16, 15, 13, 10.5, 9, 12.5);
    flag.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(flag);
    QPainterPath stripe;
    stripe.moveTo(9.5, 8.5);
    stripe.cubicTo(13, 6.5, 16, 11, 21.5, 8.5);
    p.strokePath(stripe, roundPen(QColor(210, 40, 50), 1.6));
}
void athletics(QPainter& p) {
    const QPointF centre(14, 11);
    const double radius = 8;
    const double up = -std::numbers::pi / 2;
    const QColor black(30, 30, 30);
    QPainterPath ball;
    ball.addEllipse(centre, radius, radius);
    p.setBrush(Qt::white);
    p.drawPath(ball);
    QPainterPath patches = pentagon(centre, 3, up);
    for (int i = 0; i < 5; ++i) {
        const double angle = up + (i + 0.5) * 2 * std::numbers::pi / 5;
        patches.addPath(pentagon(onCircle(centre, radius + 0.5, angle), 2.8, angle));
    }
    p.setBrush(black);
    p.drawPath(ball.intersected(patches));
    p.setPen(QPen(black, 0.9));
    for (int i = 0; i < 5; ++i) {
        const double angle = up + i * 2 * std::numbers::pi / 5;
        p.drawLine(onCircle(centre, 3, angle), onCircle(centre, radius - 1.5, angle));
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(ball);
}
void science(QPainter& p) {
    QPainterPath flask;
    flask.moveTo(11.5, 2.5);
    flask.lineTo(16.5, 2.5);
    flask.lineTo(16.5, 4);
    flask.lineTo(15.8, 4);
    flask.lineTo(15.8, 8.5);
    flask.lineTo(21.5, 18);
    flask.quadTo(22, 19.5, 20.5, 19.5);
    flask.lineTo(7.5, 19.5);
    flask.quadTo(6, 19.5, 6.5, 18);
    flask.lineTo(12.2, 8.5);
    flask.lineTo(12.2, 4);
    flask.lineTo(11.5, 4);
    flask.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(flask);
    QPainterPath liquid;
    liquid.addRect(QRectF(0, 13, 28, 9));
    p.setBrush(QColor(120, 220, 60));
    p.drawPath(flask.intersected(liquid));
    p.drawEllipse(QPointF(14.5, 10.5), 1, 1);
    p.drawEllipse(QPointF(13, 7.5), 0.7, 0.7);
}
void extremeSports(QPainter& p) {
    const QPainterPath range = polygonPath({{2.5, 19.5}, {10.5, 4.5}, {15, 12}, {18.5, 8}, {25.5, 19.5}});
    p.setBrush(QColor(55, 65, 90));
    p.drawPath(range);
    p.setBrush(Qt::white);
    p.drawPath(polygonPath({{10.5, 4.5}, {13.2, 9.5}, {11.5, 8.5}, {10, 10}, {8.8, 8.5}, {7.8, 9.5}}));
    p.drawPath(polygonPath({{18.5, 8}, {20.5, 11.3}, {19, 10.5}, {17.5, 11.5}, {16.6, 10.3}}));
}
void school(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 10, 16, 9.5));
    p.drawRect(QRectF(12, 3.5, 4, 4));
    const QPainterPath roof = polygonPath({{3.5, 11}, {14, 5}, {24.5, 11}});
    p.setBrush(QColor(200, 40, 40));
    p.drawPath(roof);
    const QPainterPath spire = polygonPath({{11.5, 4}, {14, 1}, {16.5, 4}});
    p.drawPath(spire);
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(12.5, 14, 3, 5.5));
    p.setBrush(QColor(70, 150, 230));
    p.drawRect(QRectF(8, 13, 3, 3));
    p.drawRect(QRectF(17, 13, 3, 3));
}
void music(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6.5, 14, 6, 4.5));
    p.drawEllipse(QRectF(15, 12, 6, 4.5));
    p.drawRect(QRectF(11, 4, 1.5, 12.5));
    p.drawRect(QRectF(19.5, 2, 1.5, 12.5));
    const QPainterPath beam = polygonPath({{11, 4}, {21, 2}, {21, 5}, {11, 7}});
    p.drawPath(beam);
}
void slacker(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 10, 15, 5), 1.5, 1.5);
    p.drawRoundedRect(QRectF(4, 12.5, 4, 6), 1.5, 1.5);
    p.drawRoundedRect(QRectF(20, 12.5, 4, 6), 1.5, 1.5);
    p.drawRect(QRectF(6, 15.5, 16, 3));
    p.drawRect(QRectF(5, 18, 1.5, 2));
    p.drawRect(QRectF(21.5, 18, 1.5, 2));
    QPainterPath zs;
    zs.moveTo(15, 3);
    zs.lineTo(18, 3);
    zs.lineTo(15, 6.5);
    zs.lineTo(18, 6.5);
    zs.moveTo(19.5, 1.5);
    zs.lineTo(24, 1.5);
    zs.lineTo(19.5, 7);
    zs.lineTo(24, 7);
    p.strokePath(zs, roundPen(kGold, 1.3));
}
void computers(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(5.5, 3, 17, 12), 1.5, 1.5);
    p.drawRect(QRectF(12, 15, 4, 2.5));
    p.drawRoundedRect(QRectF(8.5, 17, 11, 2.5), 1, 1);
    QLinearGradient screen(0, 5, 0, 13);
    screen.setColorAt(0, QColor(90, 170, 240));
    screen.setColorAt(1, QColor(30, 90, 180));
    p.setBrush(screen);
    p.drawRect(QRectF(7.5, 5, 13, 8));
}
void paranormal(QPainter& p) {
    QRadialGradient glow(QPointF(12, 7.5), 9);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(0.5, QColor(190, 160, 250));
    glow.setColorAt(1, QColor(120, 80, 220));
    p.setBrush(glow);
    p.drawEllipse(QPointF(14, 10), 7, 7);
    const QPainterPath stand = polygonPath({{9.5, 19.5}, {11, 15.5}, {17, 15.5}, {18.5, 19.5}});
    p.setBrush(kGold);
    p.drawPath(stand);
}
void journalism(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 3, 18, 16.5));
    const QColor ink(60, 60, 70);
    p.setBrush(ink);
    p.drawRect(QRectF(7, 5, 14, 2.2));
    p.setBrush(QColor(150, 160, 175));
    p.drawRect(QRectF(7, 9, 6, 5));
    p.setPen(QPen(ink, 1));
    for (double y : {9.5, 11.5, 13.5}) {
        p.drawLine(QPointF(14.5, y), QPointF(21, y));
    }
    p.drawLine(QPointF(7, 16.5), QPointF(21, 16.5));
}
void culinary(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(5.5, 4, 8, 8));
    p.drawEllipse(QRectF(14.5, 4, 8, 8));
    p.drawEllipse(QRectF(9.5, 1.5, 9, 9));
    p.drawRect(QRectF(8.5, 8, 11, 11));
    p.setPen(QPen(QColor(185, 185, 195), 1));
    p.drawLine(QPointF(8.5, 15), QPointF(19.5, 15));
    p.drawLine(QPointF(12, 10), QPointF(12, 14.5));
    p.drawLine(QPointF(16, 10), QPointF(16, 14.5));
}
void education(QPainter& p) {
    QPainterPath apple;
    apple.moveTo(14, 7.5);
    apple.cubicTo(17, 5.5, 22, 6.5, 22, 12);
    apple.cubicTo(22, 16.5, 19, 20, 16.5, 19.5);
    apple.quadTo(14, 19, 11.5, 19.5);
    apple.cubicTo(9, 20, 6, 16.5, 6, 12);
    apple.cubicTo(6, 6.5, 11, 5.5, 14, 7.5);
    p.setPen(QPen(QColor(120, 10, 20), 0.9));
    p.setBrush(QColor(220, 35, 40));
    p.drawPath(apple);
    p.setPen(roundPen(QColor(110, 70, 30), 1.4));
    p.drawLine(QPointF(14, 7.5), QPointF(15, 3.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 220, 90));
    p.save();
    p.translate(18, 4);
    p.rotate(-25);
    p.drawEllipse(QPointF(0, 0), 3, 1.5);
    p.restore();
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QRectF(8.5, 9.5, 2.5, 3.5));
}
void fashion(QPainter& p) {
    QPainterPath hanger = polygonPath({{14, 8.5}, {3.5, 17}, {24.5, 17}});
    hanger.moveTo(14, 8.5);
    hanger.lineTo(14, 7);
    hanger.cubicTo(14, 5.5, 17, 5.5, 17, 3.8);
    hanger.cubicTo(17, 2, 13.5, 2, 13, 3.5);
    p.strokePath(hanger, roundPen(Qt::white, 1.8));
}
void circus(QPainter& p) {
    QPainterPath tent;
    tent.moveTo(14, 3.5);
    tent.quadTo(17, 10, 24.5, 12);
    tent.lineTo(24.5, 19.5);
    tent.lineTo(3.5, 19.5);
    tent.lineTo(3.5, 12);
    tent.quadTo(11, 10, 14, 3.5);
    tent.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(tent);
    QPainterPath stripes;
    for (double x : {5.0, 12.0, 19.0}) {
        stripes.addPath(polygonPath({{14, 3.5}, {x, 20}, {x + 3.5, 20}}));
    }
    p.setBrush(QColor(215, 35, 45));
    p.drawPath(tent.intersected(stripes));
    const QPainterPath door = polygonPath({{11.5, 19.5}, {14, 14}, {16.5, 19.5}});
    p.setBrush(QColor(40, 20, 20));
    p.drawPath(door);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(QPointF(14, 3.5), QPointF(14, 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawPolygon(QPolygonF({QPointF(14.3, 0.8), QPointF(18, 1.8), QPointF(14.3, 2.8)}));
}
void animalCare(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(9, 10.5, 10, 8.5));
    const std::array<QPointF, 4> toes{QPointF(7.3, 9), QPointF(11.5, 5.5), QPointF(16.5, 5.5), QPointF(20.7, 9)};
    for (QPointF toe : toes) {
        p.drawEllipse(toe, 2, 2.5);
    }
}

struct CareerIcon {
    QColor tile;
    void (*draw)(QPainter&);
};

// In career-number order: the pages index this strip by the career number.
const std::array<CareerIcon, kJobIcons>& careerIcons() {
    static const std::array<CareerIcon, kJobIcons> icons{{
        {QColor(105, 105, 112), unemployed},     //  0 none
        {QColor(60, 90, 150), business},         //  1
        {QColor(150, 50, 150), entertainment},   //  2
        {QColor(30, 50, 120), lawEnforcement},   //  3
        {QColor(45, 45, 50), crime},             //  4
        {QColor(232, 234, 238), medicine},       //  5
        {QColor(85, 105, 45), military},         //  6
        {QColor(35, 75, 170), politics},         //  7
        {QColor(225, 115, 30), athletics},       //  8
        {QColor(30, 140, 140), science},         //  9
        {QColor(110, 165, 220), extremeSports},  // 10
        {QColor(245, 195, 40), school},          // 11
        {QColor(110, 50, 170), music},           // 12
        {QColor(140, 95, 60), slacker},          // 13
        {QColor(65, 70, 90), computers},         // 14
        {QColor(55, 25, 95), paranormal},        // 15
        {QColor(110, 120, 130), journalism},     // 16
        {QColor(200, 70, 50), culinary},         // 17
        {QColor(50, 130, 65), education},        // 18
        {QColor(210, 90, 150), fashion},         // 19
        {QColor(20, 40, 90), circus},            // 20
        {QColor(170, 125, 65), animalCare},      // 21
    }};
    return icons;
}

void drawTile(QPainter& p, const QColor& colour) {
    QLinearGradient shade(0, 0, 0, kJobIconHeight);
    shade.setColorAt(0, colour.lighter(118));
    shade.setColorAt(1, colour.darker(118));
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(1.5, 0.5, kJobIconWidth - 3, kJobIconHeight - 1), 3.5, 3.5);
    p.setPen(Qt::NoPen);
}

// ---- The emblem: a raven perched on a golden cube, on the editor's blue,
// drawn in a 100 × 100 box so every size scales the same drawing.

void drawEmblemPlate(QPainter& p) {
    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0, QColor(80, 150, 220));
    sky.setColorAt(0.6, QColor(20, 90, 170));
    sky.setColorAt(1, kNavy.darker(130));
    p.setPen(QPen(QColor(150, 200, 245), 1.5));
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 18, 18);
}

void drawCube(QPainter& p) {
    const QPointF top(50, 50), left(27, 61.5), right(73, 61.5), centre(50, 73);
    const QPointF down(0, 20);
    p.setPen(QPen(kGold.darker(220), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kGold.lighter(112));
    p.drawPolygon(QPolygonF({top, right, centre, left}));
    p.setBrush(kGold.darker(125));
    p.drawPolygon(QPolygonF({left, centre, centre + down, left + down}));
    p.setBrush(kGold.darker(165));
    p.drawPolygon(QPolygonF({centre, right, right + down, centre + down}));
}

QPainterPath ravenPath() {
    QPainterPath raven;
    raven.moveTo(80, 24);                          // beak tip
    raven.cubicTo(75, 19.5, 70.5, 16.5, 66, 15.5);  // upper beak to the forehead
    raven.cubicTo(60, 12, 54.5, 13.5, 53, 18);     // crown and back of the head
    raven.cubicTo(50, 23, 43, 27, 36, 33);         // nape and back
    raven.lineTo(20, 46.5);                         // tail tip
    raven.lineTo(28, 46.5);
    raven.lineTo(25, 51.5);                         // lower tail feather
    raven.cubicTo(36, 50, 50, 54, 60, 44);         // belly
    raven.cubicTo(66, 38, 66, 31, 67, 27.5);       // breast and throat
    raven.cubicTo(71, 25.5, 75, 25, 80, 24);       // lower beak
    raven.closeSubpath();
    return raven;
}

void drawRaven(QPainter& p) {
    p.setPen(roundPen(kRaven, 2.2));
    p.drawLine(QPointF(46, 50), QPointF(46, 58));
    p.drawLine(QPointF(52, 50), QPointF(53, 58.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kRaven);
    p.drawPath(ravenPath());
    QPainterPath wing;
    wing.moveTo(57, 28);
    wing.cubicTo(48, 31, 37, 38, 27, 47);
    wing.cubicTo(40, 45, 52, 42, 58, 35);
    wing.closeSubpath();
    p.setBrush(QColor(55, 65, 100));
    p.drawPath(wing);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(63, 20), 1.9, 1.9);
}

void drawEmblem(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    drawEmblemPlate(p);
    drawCube(p);
    drawRaven(p);
}

QFont nameFont(int pixelSize) {
    QFont font;
    font.setFamilies({"Liberation Sans", "Arial"});
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

// "Corvane" in white with "3D" in gold, centred in `box`.
void drawProductName(QPainter& p, const QRectF& box, int pixelSize) {
    const QFont font = nameFont(pixelSize);
    const QFontMetricsF metrics(font);
    const QString word = "Corvane ";
    const QString suffix = "3D";
    const double width = metrics.horizontalAdvance(word + suffix);
    const double left = box.center().x() - width / 2;
    const double baseline = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QPointF(left, baseline), word);
    p.setPen(kGold);
    p.drawText(QPointF(left + metrics.horizontalAdvance(word), baseline), suffix);
}

QImage logo(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kNavy);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double emblem = size * 0.72;
    p.save();
    p.translate((size - emblem) / 2, size * 0.05);
    p.scale(emblem / 100, emblem / 100);
    drawEmblem(p);
    p.restore();
    drawProductName(p, QRectF(0, size * 0.79, size, size * 0.17), std::max(10, size * 2 / 17));
    return image;
}

}  // namespace

QImage ArtworkHearts() {
    return onMagenta(kHeartCell * kHeartCells, kHeartCell, [](QPainter& p) {
        const double pink = kHeartCell;
        drawHeart(p, QRectF(pink + 1.5, 3, 15, 13.5), kHeartPink.darker(118));
        drawHeart(p, QRectF(pink + 8.5, 8, 15, 13.5), kHeartPink);
        drawHeart(p, QRectF(2 * kHeartCell + 2.5, 3.5, 20, 18), kHeartRed);
        drawCross(p, QRectF(3 * kHeartCell, 0, kHeartCell, kHeartCell));
    });
}

QImage ArtworkMissingPicture() {
    return onMagenta(kHeartCell, kHeartCell,
                     [](QPainter& p) { drawQuestionMark(p, QRectF(0, 0, kHeartCell, kHeartCell)); });
}

QImage ArtworkJobs() {
    return onMagenta(kJobIconWidth * kJobIcons, kJobIconHeight, [](QPainter& p) {
        for (int index = 0; index < kJobIcons; ++index) {
            const CareerIcon& icon = careerIcons()[static_cast<std::size_t>(index)];
            p.save();
            p.translate(index * kJobIconWidth, 0);
            drawTile(p, icon.tile);
            icon.draw(p);
            p.restore();
        }
    });
}

QImage ArtworkLogoSmall() {
    return logo(189);
}

QImage ArtworkLogoLarge() {
    return logo(390);
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(size / 100.0, size / 100.0);
        drawEmblem(p);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QImage ArtworkByName(const std::string& name) {
    if (name == "IMGHEARTS") return ArtworkHearts();
    if (name == "IMGSM_X") return ArtworkMissingPicture();
    if (name == "IMGJOBS") return ArtworkJobs();
    if (name == "IMGCV3DLOGOSM") return ArtworkLogoSmall();
    if (name == "IMGCV3DLOGOBG") return ArtworkLogoLarge();
    return {};
}

QPixmap WithMagentaTransparent(const QImage& image) {
    QImage clear = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb magenta = kMagenta.rgb();
    for (int y = 0; y < clear.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(clear.scanLine(y));
        for (int x = 0; x < clear.width(); ++x) {
            if ((row[x] | 0xFF000000u) == magenta) {
                row[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    return QPixmap::fromImage(clear);
}

std::vector<QPixmap> ImageListFromStrip(const QImage& strip, int cellWidth) {
    std::vector<QPixmap> cells;
    for (int left = 0; left + cellWidth <= strip.width(); left += cellWidth) {
        cells.push_back(WithMagentaTransparent(strip.copy(left, 0, cellWidth, strip.height())));
    }
    return cells;
}

}  // namespace corvane
