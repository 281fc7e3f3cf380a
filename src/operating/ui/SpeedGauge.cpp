#include "SpeedGauge.h"

#include <QPainter>
#include <QPolygonF>

namespace {
constexpr int ScaleSteps = 4; // lines at 0, 25, 50, 75, 100
}

SpeedGauge::SpeedGauge(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void SpeedGauge::setPointer(float position) {
    if (position == m_pointer)
        return;
    m_pointer = position;
    update();
}

QSize SpeedGauge::sizeHint() const {
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QStringLiteral("100")) + 4 * fm.height(), 12 * fm.height()};
}

QSize SpeedGauge::minimumSizeHint() const {
    return {sizeHint().width(), 6 * fontMetrics().height()};
}

double SpeedGauge::scaleY(double fraction) const {
    const double margin = fontMetrics().height();
    const double bottom = height() - margin;
    return bottom - fraction * (bottom - margin);
}

void SpeedGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm = fontMetrics();
    const QColor ink = palette().color(QPalette::WindowText);
    const double labelWidth = fm.horizontalAdvance(QStringLiteral("100"));
    const double left = labelWidth + fm.height() / 2.0;
    const double right = width() - 1.0;

    p.setPen(QPen(ink, 1));
    p.drawLine(QPointF(left, scaleY(0)), QPointF(left, scaleY(1)));
    for (int i = 0; i <= ScaleSteps; ++i) {
        const double y = scaleY(double(i) / ScaleSteps);
        p.drawLine(QPointF(left, y), QPointF(right, y));
        const QString label = QString::number(25 * i);
        p.drawText(QRectF(0, y - fm.height() / 2.0, labelWidth, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, label);
    }

    const double y = scaleY(m_pointer);
    const QColor pointer(0xC0, 0x10, 0x10);
    p.setPen(QPen(pointer, 2));
    p.drawLine(QPointF(left, y), QPointF(right, y));
    const double h = fm.height() / 2.5;
    p.setBrush(pointer);
    p.setPen(Qt::NoPen);
    p.drawPolygon(
        QPolygonF({QPointF(right - 2 * h, y), QPointF(right, y - h), QPointF(right, y + h)}));
}
