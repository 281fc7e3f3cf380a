// Hersteller.dat as it may be found on a user's disk: only entries 0..256
// get names, no name holds a line end, and the names read come back when
// they are written the way the file holds them.
#include "platform/TextFile.h"
#include "programming/ManufacturerList.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    ManufacturerList read;
    read.parse(bytes);
    if (!read.name(-1).isEmpty() || !read.name(ManufacturerList::Entries).isEmpty())
        __builtin_trap();
    // Every name the file changed from what a list starts with.
    const ManufacturerList fresh;
    QStringList lines;
    for (int n = 0; n < ManufacturerList::Entries; ++n) {
        const QString name = read.name(n);
        if (name.contains(u'\r') || name.contains(u'\n'))
            __builtin_trap();
        if (name != fresh.name(n))
            lines.append(QString::number(n) + QStringLiteral(": ") + name);
    }
    // A name the code page lacks a character of is refused, not written.
    const std::optional<QByteArray> written = textFileContent(lines, nullptr);
    if (!written)
        return 0;
    ManufacturerList again;
    again.parse(*written);
    for (int n = 0; n < ManufacturerList::Entries; ++n) {
        if (again.name(n) != read.name(n))
            __builtin_trap();
    }
    return 0;
}
