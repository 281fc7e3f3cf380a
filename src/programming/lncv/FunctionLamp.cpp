#include "FunctionLamp.h"

#include "WindowColours.h"

#include <QPainter>

FunctionLamp::FunctionLamp(QWidget* parent) : QWidget(parent), m_colour(colour::White) {
    setFixedSize(sizeHint());
}

void FunctionLamp::setColour(int colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void FunctionLamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(qColorOf(m_colour));
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}
