// FS.DAT as it may be found on a user's disk. Whatever is read, the save
// after it loses no route that was read: every cell and both times come
// back from the saved file, and a file that did not load whole is kept
// beside it byte for byte.
#include "link/LinkView.h"
#include "link/Transmitter.h"
#include "platform/Clock.h"
#include "routes/Routes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

namespace {

struct CountingView : LinkView {
    void ShowMessage(const QString&, const QString&, MessageIcon) override { ++shown; }
    int shown = 0;
};

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool sameRoutes(const RouteTable& a, const RouteTable& b) {
    if (a.PauseTimeMs != b.PauseTimeMs || a.SwitchTimeMs != b.SwitchTimeMs)
        return false;
    for (int row = 1; row < RouteTable::RowCount; ++row) {
        for (int column = 1; column < RouteTable::ColumnCount; ++column) {
            if (a.text(row, column) != b.text(row, column))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static ManualClock clock;
    static CountingView view;
    static Transmitter tx(clock, view);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    QDir dir(folder.path());
    for (const QString& name : dir.entryList(QDir::Files))
        dir.remove(name);
    const QString path = dir.filePath("FS.DAT");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        __builtin_trap();
    file.close();

    view.shown = 0;
    Routes read(clock, tx, view);
    read.LoadRoutes(path);
    const bool whole = view.shown == 0;
    const bool saved = read.SaveRoutes(path);
    if (contentOf(path + ".bak") != (whole ? QByteArray("<missing>") : bytes))
        __builtin_trap();
    // A cell the code page cannot write refuses the save; the file stays.
    if (!saved) {
        if (contentOf(path) != bytes)
            __builtin_trap();
        return 0;
    }
    view.shown = 0;
    Routes again(clock, tx, view);
    again.LoadRoutes(path);
    if (view.shown != 0 || !sameRoutes(read.table, again.table))
        __builtin_trap();
    return 0;
}
