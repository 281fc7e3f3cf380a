#include "Figure.h"

#include <QTextStream>
#include <ctime>

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

QString percent(double share) {
    return QStringLiteral("%1 %").arg(share * 100.0, 0, 'f', 2);
}
