#pragma once

#include <QLineEdit>
#include <QTest>

// A window's widget by its object name; a missing one ends the test run.
template <class T = QWidget> T* child(const QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no widget %s", qPrintable(name));
    return found;
}

// Replaces the field's text the way a user does: select all, type.
inline void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    else
        QTest::keyClicks(field, text);
}
