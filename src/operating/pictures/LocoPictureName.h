#pragma once

#include "LocoLook.h"

#include <QString>
#include <QStringList>
#include <optional>

// The picture file of a locomotive look in the Conf folder: "Lok" with "l"
// for the light, "r" for F1, "f" for F2, then "v" forward or "r" backward,
// e.g. "Loklv.bmp". No locomotive is "Lok0.bmp".
QString locoPictureFileName(const std::optional<LocoLook>& look);

// All 17 pictures, the looks in the order of their bits and "Lok0.bmp" last.
QList<std::optional<LocoLook>> allLocoLooks();
