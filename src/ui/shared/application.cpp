// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "ui/nightvisionstyle.h"
#include "ui/staricon.h"
#include "zenitorversion.h"

#include <QApplication>
#include <QDebug>
#include <QLibraryInfo>
#include <QTranslator>

void configureApplication(QApplication &app)
{
    // Lower case like the executable: the per-user data folder is ~/.local/share/zenitor.
    QApplication::setApplicationName(QStringLiteral("zenitor"));
    QApplication::setApplicationVersion(QStringLiteral(ZENITOR_VERSION));
    QApplication::setOrganizationDomain(QStringLiteral("zenitor.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zenitor.Zenitor"));
    QApplication::setWindowIcon(starClockIcon());
    installGermanTranslations(app);
    // Fusion draws every part from the palette, so the night colours hold everywhere.
    app.setStyle(new NightVisionStyle);
}

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
