#pragma once

#include <QLineEdit>

// Shows a text whole in a field that limits what the user types: a value
// from FS.DAT may be longer than the field allows, and cutting it off would
// change it behind the user's back.
inline void showFieldText(QLineEdit* field, const QString& text, int typedLength) {
    field->setMaxLength(qMax(typedLength, static_cast<int>(text.size())));
    field->setText(text);
}
