#include "LocoDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

const QColor Sky(0xEE, 0xF3, 0xF8);
const QColor Rail(0x60, 0x60, 0x68);
const QColor Sleeper(0x8B, 0x5A, 0x2B);
const QColor Body(0x1F, 0x4E, 0x8C);
const QColor Trim(0x10, 0x10, 0x18);
const QColor Window(0xCF, 0xE8, 0xFF);
const QColor LampOff(0x70, 0x70, 0x70);
const QColor LampOn(0xFF, 0xE0, 0x30);
const QColor BadgeOn(0xFF, 0xA8, 0x00);
const QColor BadgeOff(0xB8, 0xB8, 0xB8);
constexpr double RailY = 70.5;
// The engine and its track sit below a band that holds the badges and the arrow.
constexpr double BandHeight = 18;

void drawTrack(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Sleeper);
    for (int x = 4; x < LocoPictureSize.width(); x += 12)
        p.drawRect(QRectF(x, RailY - 1, 7, 6));
    p.setPen(QPen(Rail, 2.5));
    p.drawLine(QPointF(0, RailY), QPointF(LocoPictureSize.width(), RailY));
}

// The engine faces right; the caller mirrors it for backward.
QPainterPath engineOutline() {
    QPainterPath outline;
    outline.addRoundedRect(QRectF(22, 14, 36, 46), 3, 3);   // cab
    outline.addRoundedRect(QRectF(54, 30, 76, 28), 12, 12); // boiler
    outline.addRect(QRectF(110, 16, 11, 16));               // chimney
    outline.addRect(QRectF(18, 56, 120, 5));                // frame
    return outline.simplified();
}

void drawWheel(QPainter& p, QPointF centre, double radius) {
    p.setPen(QPen(Trim, 2));
    p.setBrush(QColor(0x40, 0x40, 0x48));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Sky);
    p.drawEllipse(centre, 2, 2);
}

void drawEngine(QPainter& p, bool light) {
    p.setPen(QPen(Trim, 1.5));
    p.setBrush(Body);
    p.drawPath(engineOutline());
    p.setBrush(Window);
    p.drawRect(QRectF(29, 20, 20, 14));
    p.setBrush(Trim);
    p.drawRect(QRectF(18, 10, 44, 5));  // roof
    p.drawRect(QRectF(107, 12, 17, 5)); // chimney top
    p.drawRect(QRectF(137, 50, 5, 8));  // buffer
    for (const double x : {66.0, 88.0, 110.0})
        drawWheel(p, QPointF(x, RailY - 10), 9);
    drawWheel(p, QPointF(36, RailY - 6), 5);

    if (light) {
        QLinearGradient beam(QPointF(136, 0), QPointF(LocoPictureSize.width(), 0));
        beam.setColorAt(0, QColor(0xFF, 0xF0, 0x60, 220));
        beam.setColorAt(1, QColor(0xFF, 0xF0, 0x60, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(beam);
        p.drawPolygon(QPolygonF({QPointF(134, 41), QPointF(160, 30), QPointF(160, 56)}));
    }
    p.setPen(QPen(Trim, 1.5));
    p.setBrush(light ? LampOn : LampOff);
    p.drawEllipse(QPointF(132, 41), 4.5, 4.5);
}

// "F1" and "F2" drawn with strokes, so no font is needed.
void drawGlyphs(QPainter& p, QRectF box, int digit) {
    const double h = box.height();
    const double w = h * 0.55;
    const double x = box.left() + (box.width() - 2 * w - 3) / 2;
    const double y = box.top();
    p.drawPolyline(QPolygonF({QPointF(x + w, y), QPointF(x, y), QPointF(x, y + h)}));
    p.drawLine(QPointF(x, y + h / 2), QPointF(x + 0.8 * w, y + h / 2));
    const double d = x + w + 3;
    if (digit == 1) {
        p.drawPolyline(QPolygonF({QPointF(d + 0.1 * w, y + 0.3 * h), QPointF(d + 0.6 * w, y),
                                  QPointF(d + 0.6 * w, y + h)}));
    } else {
        p.drawPolyline(
            QPolygonF({QPointF(d, y + 0.2 * h), QPointF(d + 0.3 * w, y), QPointF(d + 0.8 * w, y),
                       QPointF(d + w, y + 0.2 * h), QPointF(d + w, y + 0.4 * h), QPointF(d, y + h),
                       QPointF(d + w, y + h)}));
    }
}

void drawBadge(QPainter& p, QRectF box, int digit, bool on) {
    p.setPen(QPen(on ? QColor(0x80, 0x50, 0x00) : QColor(0x90, 0x90, 0x90), 1));
    p.setBrush(on ? BadgeOn : Sky);
    p.drawRoundedRect(box, 3, 3);
    p.setPen(QPen(on ? Trim : BadgeOff, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    drawGlyphs(p, box.adjusted(4, 3, -4, -3), digit);
}

void drawArrow(QPainter& p, bool backward) {
    const double tip = backward ? 118 : 154;
    const double tail = backward ? 154 : 118;
    const double head = backward ? 8 : -8;
    p.setPen(QPen(Trim, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(tail, 8), QPointF(tip, 8));
    p.drawPolyline(QPolygonF({QPointF(tip + head, 3), QPointF(tip, 8), QPointF(tip + head, 13)}));
}

} // namespace

QImage drawLocoPicture(const std::optional<LocoLook>& look) {
    QImage image(LocoPictureSize, QImage::Format_RGB32);
    image.fill(Sky);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0, BandHeight);
    drawTrack(p);
    if (!look) {
        p.setPen(QPen(BadgeOff, 1.5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(engineOutline());
        return image;
    }
    p.save();
    if (look->backward) {
        p.translate(LocoPictureSize.width(), 0);
        p.scale(-1, 1);
    }
    drawEngine(p, look->light);
    p.restore();
    p.translate(0, -BandHeight);
    drawBadge(p, QRectF(3, 2, 26, 15), 1, look->f1);
    drawBadge(p, QRectF(32, 2, 26, 15), 2, look->f2);
    drawArrow(p, look->backward);
    return image;
}

void paintLocoIcon(QPainter& p, double side) {
    // What the engine and its track take up below the picture's band.
    const QRectF drawn(0, 8, LocoPictureSize.width(), 70);
    const double margin = side / 16;
    const double scale = (side - 2 * margin) / drawn.width();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Rail, side / 64));
    p.setBrush(Sky);
    p.drawRoundedRect(QRectF(0, 0, side, side).adjusted(1, 1, -1, -1), side / 8, side / 8);
    p.translate(margin, (side - drawn.height() * scale) / 2);
    p.scale(scale, scale);
    p.translate(0, -drawn.top());
    drawTrack(p);
    drawEngine(p, true);
    p.restore();
}
