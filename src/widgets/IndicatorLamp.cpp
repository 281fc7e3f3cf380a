#include "IndicatorLamp.h"

#include "WindowColours.h"

#include <QPainter>

IndicatorLamp::IndicatorLamp(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void IndicatorLamp::setColour(int bbggrr) {
    if (bbggrr == m_colour)
        return;
    m_colour = bbggrr;
    update();
}

QSize IndicatorLamp::sizeHint() const {
    const int side = fontMetrics().height();
    return {side, side};
}

void IndicatorLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1));
    p.setBrush(qColorOf(m_colour));
    const qreal side = qMin(width(), height()) - 2;
    p.drawEllipse(QRectF((width() - side) / 2, (height() - side) / 2, side, side));
}
