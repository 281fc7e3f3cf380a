#include "ManufacturerList.h"

#include "CvText.h"
#include "DecoderTextFile.h"
#include "platform/TextFile.h"
#include "platform/WholeFile.h"

ManufacturerList::ManufacturerList() {
    m_names[Entries - 1] = QStringLiteral("-");
}

QString ManufacturerList::name(int cv8) const {
    return cv8 >= 0 && cv8 < Entries ? m_names[cv8] : QString();
}

void ManufacturerList::parse(const QByteArray& content) {
    for (const QString& line : textLines(content)) {
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0)
            continue;
        const QStringView number = QStringView(line).left(colon).trimmed();
        if (!cvtext::holdsNumber(number))
            continue;
        const int n = cvtext::fieldNumber(number);
        if (n >= Entries)
            continue;
        m_names[n] = line.mid(colon + 2);
    }
}

void ManufacturerList::load(const QString& path) {
    parse(readWholeFile(path, decoderfile::MaxFileSize).bytes);
}
