// SPDX-License-Identifier: GPL-3.0-or-later
#include "nightchoice.h"

#include <QSettings>
#include <QStandardPaths>

namespace {

const QString KEY = QStringLiteral("allWindowsNight");

// An explicit file: the default settings path would need an organisation name, and setting one
// would move the per-user data folder.
QSettings settingsFile()
{
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                         QStringLiteral("/zenitor.conf"),
                     QSettings::IniFormat);
}

} // namespace

bool AllWindowsNight::isChosen()
{
    return settingsFile().value(KEY, false).toBool();
}

void AllWindowsNight::choose(bool night)
{
    QSettings settings = settingsFile();
    settings.setValue(KEY, night);
}
