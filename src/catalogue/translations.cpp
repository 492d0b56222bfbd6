// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

bool installGermanTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_de"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        qWarning().noquote() << "Zenitor: Qt-Übersetzungen qtbase_de.qm fehlen in" << folder;
        delete translator;
        return false;
    }
    return true;
}
