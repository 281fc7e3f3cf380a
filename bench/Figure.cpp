#include "Figure.h"

#include <QFile>
#include <QTextStream>
#include <ctime>
#include <unistd.h>

void print(const Figure& figure) {
    QTextStream out(stdout);
    out << figure.name << ": " << figure.text;
    if (!figure.met)
        out << "  <-- TARGET MISSED";
    out << Qt::endl;
}

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

double residentMegabytes() {
    // statm: total and resident size, in pages.
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0) : 0;
}

QString percent(double share) {
    return QStringLiteral("%1 %").arg(share * 100.0, 0, 'f', 2);
}
