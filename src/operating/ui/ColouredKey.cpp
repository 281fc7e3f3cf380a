#include "ColouredKey.h"

#include "widgets/WindowColours.h"

#include <QColor>
#include <QPushButton>

namespace {
constexpr int KeySide = 22;
} // namespace

QPushButton* makeColouredKey(const QString& objectName, int colour, const QString& name) {
    auto* key = new QPushButton;
    key->setObjectName(objectName);
    key->setAccessibleName(name);
    key->setFixedSize(KeySide, KeySide);
    key->setAutoDefault(false);
    const QColor face = qColorOf(colour);
    // The focus frame must stay visible: the keys are worked with Tab and
    // Space as well as with the mouse.
    key->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                      "#404040; border-radius: 3px; }"
                                      "QPushButton:pressed { background-color: %2; }"
                                      "QPushButton:focus { border: 2px solid #000000; }")
                           .arg(face.name(), face.darker(150).name()));
    return key;
}

void setKeyTip(QAbstractButton* key, const QString& tip) {
    key->setToolTip(tip);
    key->setAccessibleName(tip);
}
