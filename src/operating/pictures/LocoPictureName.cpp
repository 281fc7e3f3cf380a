#include "LocoPictureName.h"

QString locoPictureFileName(const std::optional<LocoLook>& look) {
    if (!look)
        return QStringLiteral("Lok0.bmp");
    QString name = QStringLiteral("Lok");
    if (look->light)
        name += u'l';
    if (look->f1)
        name += u'r';
    if (look->f2)
        name += u'f';
    name += look->backward ? u'r' : u'v';
    return name + QStringLiteral(".bmp");
}

QList<std::optional<LocoLook>> allLocoLooks() {
    QList<std::optional<LocoLook>> looks;
    for (int bits = 0; bits < 16; ++bits)
        looks.append(LocoLook{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0});
    looks.append(std::nullopt);
    return looks;
}
