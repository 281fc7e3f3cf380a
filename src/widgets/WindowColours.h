#pragma once

#include "link/Colours.h"

#include <QColor>
#include <QLineEdit>
#include <QPalette>

// A 0xBBGGRR colour of the program as the toolkit takes it.
inline QColor qColorOf(int bbggrr) {
    return QColor(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
}

// Text the program cannot use is painted red, anything else black.
inline void paintFieldText(QLineEdit* field, bool looksRight) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, qColorOf(looksRight ? 0x000000 : colour::Red));
    field->setPalette(palette);
}
