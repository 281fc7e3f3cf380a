// Draws the locomotive pictures into the Conf folder named on the command
// line; the build runs it so the program always finds its pictures.

#include "LocoDrawing.h"
#include "LocoPictureName.h"

#include <QDir>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gx-lokbilder CONF_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "gx-lokbilder: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const auto& look : allLocoLooks()) {
        const QString path = folder.filePath(locoPictureFileName(look));
        if (!drawLocoPicture(look).save(path, "BMP")) {
            std::fprintf(stderr, "gx-lokbilder: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
