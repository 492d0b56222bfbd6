// SPDX-License-Identifier: GPL-3.0-or-later
#include "nightchoice.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <optional>

namespace {

const QString KEY = QStringLiteral("allWindowsNight");

/// The choice while the settings file cannot hold it.
std::optional<bool> sessionChoice;
QString notice;
bool noticeGiven = false;

// An explicit file: the default settings path would need an organisation name, and setting one
// would move the per-user data folder.
QString settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/zenitor.conf");
}

void setNotice(const QString &text)
{
    if (!noticeGiven && notice.isEmpty())
        notice = text;
}

// QSettings reads the whole file into memory, also before it writes.
bool tooLarge()
{
    const QFileInfo file(settingsPath());
    if (!file.isFile() || file.size() <= AllWindowsNight::MAX_SETTINGS_BYTES)
        return false;
    setNotice(QStringLiteral("Die Einstellungsdatei ") + QDir::toNativeSeparators(settingsPath()) +
              QStringLiteral(" ist größer als 64 KiB und wird nicht gelesen; „Alle Fenster in "
                             "Nachtfarben“ gilt nur bis zum Programmende!!!"));
    return true;
}

} // namespace

bool AllWindowsNight::isChosen()
{
    if (sessionChoice)
        return *sessionChoice;
    if (tooLarge())
        return false;
    return QSettings(settingsPath(), QSettings::IniFormat).value(KEY, false).toBool();
}

bool AllWindowsNight::choose(bool night)
{
    sessionChoice = night;
    if (tooLarge())
        return false;
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(KEY, night);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        const QString reason = QFileInfo(settingsPath()).isDir()
                                   ? QStringLiteral("an Stelle der Datei steht ein Ordner")
                                   : QStringLiteral("nicht beschreibbar");
        setNotice(QStringLiteral("„Alle Fenster in Nachtfarben“ gilt nur bis zum Programmende: "
                                 "die Einstellungsdatei ") +
                  QDir::toNativeSeparators(settingsPath()) +
                  QStringLiteral(" kann sie nicht "
                                 "aufbewahren (") +
                  reason + QStringLiteral(")!!!"));
        return false;
    }
    // The file serves again: it holds the choice, and a later fault is worth a word again.
    sessionChoice.reset();
    notice.clear();
    noticeGiven = false;
    return true;
}

QString AllWindowsNight::takeNotice()
{
    if (noticeGiven || notice.isEmpty())
        return {};
    noticeGiven = true;
    return notice;
}
