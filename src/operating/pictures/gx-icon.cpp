// Draws the program's icon for the desktop into an icon theme's folders:
// OUT/scalable/apps/NAME.svg and OUT/<n>x<n>/apps/NAME.png for each size.

#include "LocoDrawing.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

namespace {
constexpr int SvgSide = 128;
constexpr int PngSides[] = {16, 24, 32, 48, 64, 128, 256};

QString appsFolder(const QString& out, const QString& size) {
    const QString folder = QDir(out).filePath(size + QStringLiteral("/apps"));
    QDir().mkpath(folder);
    return folder;
}

bool writeSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(SvgSide, SvgSide));
    svg.setViewBox(QRect(0, 0, SvgSide, SvgSide));
    svg.setTitle(QStringLiteral("GX-Velomat"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintLocoIcon(painter, SvgSide);
    return painter.end();
}

bool writePng(const QString& path, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintLocoIcon(painter, side);
    painter.end();
    return image.save(path, "PNG");
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gx-icon OUT_FOLDER NAME\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    QString path = QDir(appsFolder(out, QStringLiteral("scalable"))).filePath(name + ".svg");
    bool written = writeSvg(path);
    for (const int side : PngSides) {
        if (!written)
            break;
        const QString size = QStringLiteral("%1x%1").arg(side);
        path = QDir(appsFolder(out, size)).filePath(name + ".png");
        written = writePng(path, side);
    }
    if (!written) {
        std::fprintf(stderr, "gx-icon: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
