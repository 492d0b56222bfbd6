// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"

#include "catalogue/translations.h"
#include "ui/shared/nightvisionstyle.h"
#include "ui/shared/staricon.h"
#include "zenitorversion.h"

#include <QApplication>

#include <cstring>

namespace {

constexpr char NO_SHARED_MEMORY[] = "QT_XCB_NO_MITSHM";

/// Set by prepareApplication, so that programs started later do not inherit it.
bool setNoSharedMemory = false;

/// The platform Qt will choose: "-platform NAME" first, then QT_QPA_PLATFORM; empty: Qt's own
/// choice, X11 on this system.
QByteArray chosenPlatform(int argc, char *argv[])
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    return qgetenv("QT_QPA_PLATFORM");
}

} // namespace

void prepareApplication(int argc, char *argv[])
{
    const QByteArray platform = chosenPlatform(argc, argv);
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return;
    // With shared memory Qt waits for the X server before every paint; the clock repaints a
    // few small glyphs a second, which cost less sent over the connection.
    if (!qEnvironmentVariableIsSet(NO_SHARED_MEMORY))
        setNoSharedMemory = qputenv(NO_SHARED_MEMORY, "1");
}

void configureApplication(QApplication &app)
{
    // Read when the connection to the X server opened, which the QApplication has done.
    if (setNoSharedMemory) {
        qunsetenv(NO_SHARED_MEMORY);
        setNoSharedMemory = false;
    }
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
