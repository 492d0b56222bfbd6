#include "application.h"

#include "ui/nightvisionstyle.h"
#include "ui/staricon.h"

#include <QApplication>

void configureApplication(QApplication &app)
{
    // Lower case like the executable: the per-user data folder is ~/.local/share/zenitor.
    QApplication::setApplicationName(QStringLiteral("zenitor"));
    QApplication::setApplicationVersion(QStringLiteral("2.1"));
    QApplication::setOrganizationDomain(QStringLiteral("zenitor.org"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zenitor.Zenitor"));
    QApplication::setWindowIcon(starClockIcon());
    // Fusion draws every part from the palette, so the night colours hold everywhere.
    app.setStyle(new NightVisionStyle);
}
