#pragma once

#include <QLineEdit>
#include <QPalette>

// check_val's colours: black text when the field is acceptable, red when not.
inline void paintField(QLineEdit* field, bool acceptable) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, acceptable ? Qt::black : Qt::red);
    field->setPalette(palette);
}
