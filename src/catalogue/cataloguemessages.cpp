// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguemessages.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString fileInFolder(const QString &path)
{
    const QFileInfo file(path);
    return QStringLiteral("Datei ") + file.fileName() + QStringLiteral(" im Ordner ") +
           QDir::toNativeSeparators(file.absolutePath());
}

} // namespace

QString fileProblemMessage(FileState state, const QString &path, const QString &listName)
{
    switch (state) {
    case FileState::Missing:
        return fileInFolder(path) + QStringLiteral(" nicht gefunden!!!");
    case FileState::Unreadable:
        return fileInFolder(path) + QStringLiteral(" nicht lesbar!!!");
    case FileState::NotWritable:
        return fileInFolder(path) + QStringLiteral(" konnte nicht gespeichert werden!!!");
    case FileState::NameNotAllowed:
        return QStringLiteral("Listenname ") + listName +
               QStringLiteral(" nicht erlaubt (kein / oder \\, nicht . oder ..)!!!");
    case FileState::Done:
        break;
    }
    return {};
}

QString noEntriesMessage(const QString &path)
{
    return fileInFolder(path) + QStringLiteral(" enthält keine Einträge!!!");
}

QString shortRecordMessage(const QString &objectName, const QString &path)
{
    return QStringLiteral("für ") + objectName + QStringLiteral(" Datensatz in ") +
           fileInFolder(path) + QStringLiteral(" überprüfen!!!");
}

QString rightAscensionMessage(const QString &objectName)
{
    return QStringLiteral("für ") + objectName + QStringLiteral(" Rektaszension überprüfen!!!");
}

QString declinationMessage(const QString &objectName)
{
    return QStringLiteral("für ") + objectName + QStringLiteral(" Deklination überprüfen!!!");
}
