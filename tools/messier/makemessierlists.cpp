// SPDX-License-Identifier: GPL-3.0-or-later
// zenitor-make-lists CATALOGUE OUTPUT_FOLDER
//
// Writes the four seasonal Messier lists (Fruehling.txt, Sommer.txt, Herbst.txt,
// Winter.txt) into OUTPUT_FOLDER from the J2000 catalogue, precessed to 2030.0.
// Run it as: zenitor-make-lists tools/messier/messier_j2000.csv data
#include "messierlists.h"

#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CATALOGUE.csv OUTPUT_FOLDER\n", argc > 0 ? argv[0] : "");
        return 2;
    }
    const QString cataloguePath = QString::fromLocal8Bit(argv[1]);
    const QString outputFolder = QString::fromLocal8Bit(argv[2]);

    QString error;
    const std::optional<QList<messier::CatalogueEntry>> entries =
        messier::ReadCatalogue(cataloguePath, &error);
    if (!entries || !messier::WriteSeasonLists(*entries, outputFolder, &error)) {
        std::fprintf(stderr, "zenitor-make-lists: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
