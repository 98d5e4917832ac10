#include "app/ui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <functional>

namespace corvane {

namespace {

const QColor kMagenta(255, 0, 255);
const QColor kFrameBlue(40, 90, 200);
const QColor kHeartRed(220, 30, 40);
const QColor kHeartPink(255, 120, 180);
const QColor kNavy(0, 64, 128);
const QColor kGold(250, 200, 60);

QImage magentaCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kMagenta);
    return image;
}

QPainterPath heartPath(const QRectF& box) {
    const double x = box.left();
    const double y = box.top();
    const double w = box.width();
    const double h = box.height();
    QPainterPath path;
    path.moveTo(x + w / 2, y + h);
    path.cubicTo(x - w * 0.1, y + h * 0.55, x + w * 0.05, y - h * 0.05, x + w / 2, y + h * 0.28);
    path.cubicTo(x + w * 0.95, y - h * 0.05, x + w * 1.1, y + h * 0.55, x + w / 2, y + h);
    return path;
}

void drawHeart(QPainter& p, const QRectF& box, const QColor& colour) {
    p.setPen(QPen(colour.darker(160), 1));
    p.setBrush(colour);
    p.drawPath(heartPath(box));
}

// A blue frame on black holding a picture, as the small status pictures show.
void drawFramedCell(QPainter& p, const QRect& cell) {
    p.setPen(Qt::NoPen);
    p.setBrush(kFrameBlue);
    p.drawRect(cell.adjusted(1, 1, -1, -1));
    p.setBrush(Qt::black);
    p.drawRect(cell.adjusted(3, 3, -3, -3));
}

// ---- Career pictograms: each draws white-on-colour inside a 28 × 22 cell.

using Pictogram = std::function<void(QPainter&)>;

void briefcase(QPainter& p) {
    p.drawRoundedRect(QRectF(6, 8, 16, 10), 2, 2);
    p.drawRect(QRectF(11, 5, 6, 3));
}
void star(QPainter& p) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? 8.0 : 3.5;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        QPointF point(14 + radius * std::cos(angle), 11.5 + radius * std::sin(angle));
        i == 0 ? path.moveTo(point) : path.lineTo(point);
    }
    path.closeSubpath();
    p.drawPath(path);
}
void badge(QPainter& p) {
    QPainterPath path;
    path.moveTo(14, 3);
    path.lineTo(21, 6);
    path.lineTo(20, 13);
    path.quadTo(18, 18, 14, 20);
    path.quadTo(10, 18, 8, 13);
    path.lineTo(7, 6);
    path.closeSubpath();
    p.drawPath(path);
}
void mask(QPainter& p) {
    p.drawRoundedRect(QRectF(5, 7, 18, 8), 4, 4);
    p.save();
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(8, 9, 4, 3));
    p.drawEllipse(QRectF(16, 9, 4, 3));
    p.restore();
}
void redCross(QPainter& p) {
    p.save();
    p.setBrush(QColor(230, 30, 30));
    p.drawRect(QRectF(12, 4, 4, 14));
    p.drawRect(QRectF(7, 9, 14, 4));
    p.restore();
}
void chevrons(QPainter& p) {
    for (int i = 0; i < 3; ++i) {
        QPainterPath path;
        const double y = 5 + i * 4.5;
        path.moveTo(7, y + 4);
        path.lineTo(14, y);
        path.lineTo(21, y + 4);
        p.strokePath(path, QPen(Qt::white, 2.2));
    }
}
void flag(QPainter& p) {
    p.drawRect(QRectF(8, 4, 1.5, 15));
    p.drawRect(QRectF(9.5, 4, 11, 7));
}
void ball(QPainter& p) {
    p.drawEllipse(QRectF(7, 4, 14, 14));
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(7, 11), QPointF(21, 11));
    p.drawArc(QRectF(10, 4, 8, 14), 0, 360 * 16);
    p.restore();
}
void flask(QPainter& p) {
    QPainterPath path;
    path.moveTo(12, 3);
    path.lineTo(16, 3);
    path.lineTo(16, 9);
    path.lineTo(21, 19);
    path.lineTo(7, 19);
    path.lineTo(12, 9);
    path.closeSubpath();
    p.drawPath(path);
}
void mountain(QPainter& p) {
    QPainterPath path;
    path.moveTo(3, 19);
    path.lineTo(11, 6);
    path.lineTo(15, 12);
    path.lineTo(18, 8);
    path.lineTo(25, 19);
    path.closeSubpath();
    p.drawPath(path);
}
void schoolHouse(QPainter& p) {
    QPainterPath roof;
    roof.moveTo(4, 10);
    roof.lineTo(14, 3);
    roof.lineTo(24, 10);
    roof.closeSubpath();
    p.save();
    p.setBrush(QColor(200, 40, 40));
    p.drawPath(roof);
    p.restore();
    p.drawRect(QRectF(6, 10, 16, 9));
    p.save();
    p.setBrush(QColor(120, 70, 30));
    p.drawRect(QRectF(12.5, 13, 3, 6));
    p.restore();
    p.drawRect(QRectF(13.5, 0.5, 1, 3));
}
void note(QPainter& p) {
    p.drawEllipse(QRectF(7, 14, 6, 5));
    p.drawRect(QRectF(11.5, 4, 1.5, 12.5));
    p.drawRect(QRectF(11.5, 4, 7, 2.5));
    p.drawEllipse(QRectF(14, 12, 6, 5));
    p.drawRect(QRectF(18.5, 4, 1.5, 10.5));
}
void sleeper(QPainter& p) {
    p.drawRoundedRect(QRectF(4, 12, 20, 6), 2, 2);
    p.drawRect(QRectF(4, 9, 4, 5));
    QFont font("Liberation Sans");
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.save();
    p.setPen(Qt::white);
    p.drawText(QRectF(12, 1, 14, 10), Qt::AlignCenter, "zZ");
    p.restore();
}
void monitor(QPainter& p) {
    p.drawRect(QRectF(6, 4, 16, 11));
    p.save();
    p.setBrush(QColor(60, 140, 220));
    p.drawRect(QRectF(8, 6, 12, 7));
    p.restore();
    p.drawRect(QRectF(12, 15, 4, 2));
    p.drawRect(QRectF(9, 17, 10, 2));
}
void crystalBall(QPainter& p) {
    QRadialGradient glow(QPointF(12, 8), 9);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(1, QColor(150, 110, 230));
    p.save();
    p.setBrush(glow);
    p.drawEllipse(QRectF(7, 3, 14, 14));
    p.restore();
    p.drawRect(QRectF(9, 16, 10, 3));
}
void newspaper(QPainter& p) {
    p.drawRect(QRectF(5, 4, 18, 15));
    p.save();
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(7, 7), QPointF(21, 7));
    for (int y = 10; y <= 16; y += 3) {
        p.drawLine(QPointF(7, y), QPointF(13, y));
        p.drawLine(QPointF(15, y), QPointF(21, y));
    }
    p.restore();
}
void chefHat(QPainter& p) {
    p.drawEllipse(QRectF(6, 3, 8, 8));
    p.drawEllipse(QRectF(14, 3, 8, 8));
    p.drawEllipse(QRectF(10, 1, 8, 8));
    p.drawRect(QRectF(9, 8, 10, 10));
}
void apple(QPainter& p) {
    p.save();
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(QRectF(7, 6, 8, 13));
    p.drawEllipse(QRectF(13, 6, 8, 13));
    p.setBrush(QColor(60, 170, 60));
    p.drawEllipse(QRectF(14, 2, 5, 3));
    p.restore();
}
void hanger(QPainter& p) {
    QPainterPath path;
    path.moveTo(14, 8);
    path.lineTo(3, 17);
    path.lineTo(25, 17);
    path.closeSubpath();
    p.strokePath(path, QPen(Qt::white, 1.8));
    QPainterPath hook;
    hook.moveTo(14, 8);
    hook.cubicTo(14, 5, 17, 4, 17, 6);
    p.strokePath(hook, QPen(Qt::white, 1.8));
}
void tent(QPainter& p) {
    QPainterPath path;
    path.moveTo(4, 19);
    path.lineTo(14, 4);
    path.lineTo(24, 19);
    path.closeSubpath();
    p.drawPath(path);
    p.save();
    p.setBrush(QColor(220, 40, 40));
    QPainterPath stripe;
    stripe.moveTo(11, 19);
    stripe.lineTo(14, 4);
    stripe.lineTo(17, 19);
    stripe.closeSubpath();
    p.drawPath(stripe);
    p.restore();
}
void paw(QPainter& p) {
    p.drawEllipse(QRectF(9, 10, 10, 9));
    for (auto [x, y] : {std::pair{6.0, 6.5}, {10.5, 3.0}, {15.5, 3.0}, {20.0, 6.5}}) {
        p.drawEllipse(QRectF(x, y, 4, 5));
    }
}
void emptyCase(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.5, Qt::DashLine));
    briefcase(p);
}

struct CareerIcon {
    QColor colour;
    void (*draw)(QPainter&);
};

const std::array<CareerIcon, kJobIcons>& careerIcons() {
    static const std::array<CareerIcon, kJobIcons> icons{{
        {QColor(90, 90, 90), emptyCase},       {QColor(70, 100, 160), briefcase},
        {QColor(170, 60, 160), star},          {QColor(30, 60, 140), badge},
        {QColor(50, 50, 50), mask},            {QColor(235, 235, 235), redCross},
        {QColor(80, 110, 50), chevrons},       {QColor(40, 80, 170), flag},
        {QColor(230, 120, 30), ball},          {QColor(40, 150, 150), flask},
        {QColor(110, 140, 190), mountain},     {QColor(240, 200, 60), schoolHouse},
        {QColor(120, 50, 170), note},          {QColor(150, 110, 70), sleeper},
        {QColor(70, 70, 90), monitor},         {QColor(60, 30, 100), crystalBall},
        {QColor(140, 140, 140), newspaper},    {QColor(200, 80, 60), chefHat},
        {QColor(60, 140, 70), apple},          {QColor(200, 90, 140), hanger},
        {QColor(40, 120, 200), tent},          {QColor(160, 120, 60), paw},
    }};
    return icons;
}

// The emblem of the logos and the icon: a stylised raven over a cube, on
// the editor's blue, drawn in a 100 × 100 box.
void drawEmblem(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 100);
    sky.setColorAt(0, kNavy.lighter(140));
    sky.setColorAt(1, kNavy.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(2, 2, 96, 96), 16, 16);

    // The cube, in three shades.
    const QPointF top(50, 40), left(26, 52), right(74, 52), centre(50, 64), bottomLeft(26, 80), bottomRight(74, 80),
        bottom(50, 92);
    p.setBrush(kGold);
    p.drawPolygon(QPolygonF({top, right, centre, left}));
    p.setBrush(kGold.darker(130));
    p.drawPolygon(QPolygonF({left, centre, bottom, bottomLeft}));
    p.setBrush(kGold.darker(170));
    p.drawPolygon(QPolygonF({centre, right, bottomRight, bottom}));

    // The raven perched on the cube.
    QPainterPath raven;
    raven.moveTo(34, 44);
    raven.cubicTo(36, 30, 46, 22, 58, 22);
    raven.lineTo(66, 16);
    raven.lineTo(64, 24);
    raven.cubicTo(70, 28, 70, 36, 64, 42);
    raven.cubicTo(58, 46, 46, 47, 34, 44);
    raven.closeSubpath();
    p.setBrush(QColor(20, 20, 30));
    p.drawPath(raven);
    p.setBrush(kGold);
    p.drawEllipse(QPointF(60, 26), 1.6, 1.6);
}

QImage logo(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(kNavy);
    QPainter p(&image);
    const double emblem = size * 0.72;
    p.translate((size - emblem) / 2, size * 0.04);
    p.scale(emblem / 100, emblem / 100);
    drawEmblem(p);
    p.resetTransform();
    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(std::max(10, size / 9));
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, size * 0.78, size, size * 0.2), Qt::AlignCenter, "Corvane 3D");
    return image;
}

}  // namespace

QImage ArtworkHearts() {
    QImage image = magentaCanvas(kHeartCell * kHeartCells, kHeartCell);
    QPainter p(&image);
    drawHeart(p, QRectF(kHeartCell + 2, 4, 14, 13), kHeartPink.darker(115));
    drawHeart(p, QRectF(kHeartCell + 9, 8, 14, 13), kHeartPink);
    drawHeart(p, QRectF(2 * kHeartCell + 3, 4, 19, 17), kHeartRed);
    const QRect cross(3 * kHeartCell, 0, kHeartCell, kHeartCell);
    drawFramedCell(p, cross);
    p.setPen(QPen(kHeartRed, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(cross.topLeft() + QPoint(7, 7), cross.bottomRight() - QPoint(7, 7));
    p.drawLine(cross.topRight() + QPoint(-7, 7), cross.bottomLeft() + QPoint(7, -7));
    return image;
}

QImage ArtworkMissingPicture() {
    QImage image = magentaCanvas(kHeartCell, kHeartCell);
    QPainter p(&image);
    drawFramedCell(p, image.rect());
    QFont font("Liberation Sans");
    font.setBold(true);
    font.setPixelSize(17);
    p.setFont(font);
    p.setPen(kHeartRed);
    p.drawText(image.rect(), Qt::AlignCenter, "?");
    return image;
}

QImage ArtworkJobs() {
    QImage image = magentaCanvas(kJobIconWidth * kJobIcons, kJobIconHeight);
    QPainter p(&image);
    for (int index = 0; index < kJobIcons; ++index) {
        const CareerIcon& icon = careerIcons()[static_cast<std::size_t>(index)];
        p.save();
        p.translate(index * kJobIconWidth, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(icon.colour);
        p.drawRoundedRect(QRectF(1, 0.5, kJobIconWidth - 2, kJobIconHeight - 1), 4, 4);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        icon.draw(p);
        p.restore();
    }
    return image;
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
