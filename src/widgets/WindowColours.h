#pragma once

#include "link/Colours.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

// A 0xBBGGRR colour of the program as the toolkit takes it.
inline QColor qColorOf(int bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

// Text black, or red for what the program cannot use or what asks for
// attention; a field's text and a label's alike.
inline void paintText(QWidget* widget, bool red) {
    const QColor ink = qColorOf(red ? colour::Red : colour::Black);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ink);
    palette.setColor(QPalette::WindowText, ink);
    widget->setPalette(palette);
}
