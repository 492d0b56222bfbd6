// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "catalogue/translations.h"
#include "ui/shared/nightvisionstyle.h"
#include "ui/shared/staricon.h"
#include "zenitorversion.h"

#include <QApplication>

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
