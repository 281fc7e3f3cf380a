#include "VersionText.h"

QString serialNumberText(double serialNumber) {
    return QString::number(serialNumber, 'f', 0);
}

QString softwareVersionText(double version) {
    return QString::number(version, 'f', 3);
}
