// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalocation.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

/// Whether folder holds an entry of this name in any case of letters, as the readers find it.
bool holdsEntry(const QStringList &entries, const QString &fileName)
{
    for (const QString &entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

/// Copies the program's data files that userFolder lacks; false when a copy failed.
bool seedUserFolder(const QString &programFolder, const QString &userFolder)
{
    const QDir program(programFolder);
    const QDir user(userFolder);
    const QStringList present = user.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    const QStringList dataFiles =
        program.entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable, QDir::Name);
    bool complete = true;
    for (const QString &fileName : dataFiles) {
        if (holdsEntry(present, fileName))
            continue;
        const QString copy = user.filePath(fileName);
        if (!QFile::copy(program.filePath(fileName), copy)) {
            qWarning().noquote() << "Zenitor: Kopieren von" << program.filePath(fileName) << "nach"
                                 << copy << "fehlgeschlagen";
            complete = false;
            continue;
        }
        // The installed files are read-only for users; the copy is the user's to edit.
        QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    }
    return complete;
}

} // namespace

bool canCreateFilesIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.zenitor-write-test-XXXXXX"));
    return probe.open();
}

QString chooseDataFolder(const QString &programFolder, const QString &userFolder,
                         const FolderWritableProbe &canWrite)
{
    return chooseDataFolderWithNotice(programFolder, userFolder, canWrite).folder;
}

DataFolderChoice chooseDataFolderWithNotice(const QString &programFolder, const QString &userFolder,
                                            const FolderWritableProbe &canWrite)
{
    if (canWrite(programFolder) || userFolder.isEmpty())
        return {programFolder, {}};
    QString problem;
    if (!QDir().mkpath(userFolder))
        problem = QStringLiteral("kann nicht angelegt werden");
    else if (!canWrite(userFolder))
        problem = QStringLiteral("ist schreibgeschützt");
    else if (!seedUserFolder(programFolder, userFolder))
        problem = QStringLiteral("konnte nicht mit den Listen gefüllt werden");
    if (problem.isEmpty())
        return {userFolder, {}};
    qWarning().noquote() << "Zenitor: Ordner" << userFolder
                         << "nicht nutzbar, Daten bleiben im Ordner" << programFolder;
    return {programFolder,
            QStringLiteral("Der eigene Datenordner ") + QDir::toNativeSeparators(userFolder) +
                QLatin1Char(' ') + problem +
                QStringLiteral("!!! Die Listen werden aus dem Ordner ") +
                QDir::toNativeSeparators(programFolder) +
                QStringLiteral(" gelesen; Änderungen lassen sich dort nicht speichern.")};
}

QString programDataFolder()
{
    return programDataFolderWithNotice().folder;
}

DataFolderChoice programDataFolderWithNotice()
{
    return chooseDataFolderWithNotice(
        QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
