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
    if (canWrite(programFolder) || userFolder.isEmpty())
        return programFolder;
    if (!QDir().mkpath(userFolder) || !canWrite(userFolder) ||
        !seedUserFolder(programFolder, userFolder)) {
        qWarning().noquote() << "Zenitor: Ordner" << userFolder
                             << "nicht nutzbar, Daten bleiben im Ordner" << programFolder;
        return programFolder;
    }
    return userFolder;
}

QString programDataFolder()
{
    return chooseDataFolder(QCoreApplication::applicationDirPath(),
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
