#pragma once

#include <QString>

class QAbstractButton;
class QPushButton;

// A key without a caption, painted in its colour (0xBBGGRR) like the keys
// of a hand-held keyboard. Its name is what screen readers say of it.
QPushButton* makeColouredKey(const QString& objectName, int colour, const QString& name = {});

// The tooltip of a key, which is also what screen readers say of it.
void setKeyTip(QAbstractButton* key, const QString& tip);
