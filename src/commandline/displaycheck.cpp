// SPDX-License-Identifier: GPL-3.0-or-later
#include "displaycheck.h"

#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

/// The value of a Qt option such as -platform, as "-platform x", "-platform=x" or with two dashes.
std::optional<QString> optionValue(const QStringList &arguments, const QString &name)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        if (argument.startsWith(QLatin1String("--")))
            argument.remove(0, 1);
        if (argument == QLatin1Char('-') + name && i + 1 < arguments.size())
            return arguments[i + 1];
        if (argument.startsWith(QLatin1Char('-') + name + QLatin1Char('=')))
            return argument.mid(name.size() + 2);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> missingDisplayMessage(const QStringList &arguments,
                                             const EnvironmentReader &environment)
{
    QString platform =
        optionValue(arguments, QStringLiteral("platform")).value_or(environment("QT_QPA_PLATFORM"));
    // "xcb:display=..." style options follow the name after a colon.
    platform = platform.section(QLatin1Char(':'), 0, 0);
    const bool defaultPlatform = platform.isEmpty();
    if (!defaultPlatform && platform != QLatin1String("xcb"))
        return std::nullopt;
    if (!environment("DISPLAY").isEmpty() ||
        optionValue(arguments, QStringLiteral("display")).has_value())
        return std::nullopt;
    if (defaultPlatform && !environment("WAYLAND_DISPLAY").isEmpty())
        return std::nullopt;
    const QString program =
        arguments.isEmpty() ? QStringLiteral("zenitor") : QFileInfo(arguments.first()).fileName();
    return program + QStringLiteral(": Keine grafische Oberfläche gefunden (die Umgebungsvariable "
                                    "DISPLAY ist nicht gesetzt). Zenitor braucht ein Fenster; "
                                    "bitte in einer grafischen Sitzung starten.\n");
}

std::optional<int> refuseWithoutDisplay(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const std::optional<QString> message = missingDisplayMessage(
        arguments, [](const char *name) { return QString::fromLocal8Bit(std::getenv(name)); });
    if (!message)
        return std::nullopt;
    std::fputs(message->toLocal8Bit().constData(), stderr);
    return 1;
}
