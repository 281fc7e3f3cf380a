// FS.DAT as it may be found on a user's disk: whatever is read must be
// written back so that it reads the same.
#include "routes/RouteFile.h"
#include "routes/RouteTable.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    RouteTable read;
    ParseRouteFile(read, bytes);
    RouteTable again;
    ParseRouteFile(again, RouteFileContent(read));
    if (again.PauseTimeMs != read.PauseTimeMs || again.SwitchTimeMs != read.SwitchTimeMs)
        __builtin_trap();
    for (int row = 1; row < RouteTable::RowCount; ++row) {
        for (int column = 1; column < RouteTable::ColumnCount; ++column) {
            const QString text = read.text(row, column);
            // The file has no way to write a quote inside a cell; the route
            // editor never puts one there.
            if (!text.contains(u'"') && again.text(row, column) != text)
                __builtin_trap();
        }
    }
    return 0;
}
