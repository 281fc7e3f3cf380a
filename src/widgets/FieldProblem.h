#pragma once

#include <QStatusBar>
#include <QString>

// The line at the foot of a window where its red fields say what is wrong;
// the window puts it into its layout.
QStatusBar* newStatusLine(QWidget* window);

// Paints a field red when there is a problem with what it holds, black when
// the problem is empty. A red field tells why in its tooltip, to a screen
// reader, and in its window's status line while it is the last field that
// turned red; when it turns black, the line shows another red field's
// problem or nothing.
void showFieldProblem(QWidget* field, const QString& problem);
// The same for a field that holds a number: a wrong one says what the
// field may hold, as in "Adresse 1 bis 16383".
void showFieldRange(QWidget* field, bool wrong, const QString& what, qint64 lowest, qint64 highest);
