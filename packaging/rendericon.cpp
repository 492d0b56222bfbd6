// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as PNG files for the icon theme, drawn by the same
// code as the window icon: rendericon <folder> <size>...

#include "ui/shared/staricon.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = atoi(argv[i]);
        const QString path = QStringLiteral("%1/org.zenitor.Zenitor-%2.png")
                                 .arg(QString::fromLocal8Bit(argv[1]))
                                 .arg(size);
        if (size <= 0 || !renderStarClockIcon(size).save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
