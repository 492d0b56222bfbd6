// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

/// A program folder of data files written by the test.
class ScratchFolder
{
public:
    QString path() const { return folder.path(); }
    QString filePath(const QString &name) const { return folder.filePath(name); }

    /// Writes a file with exactly these bytes; returns false when it could not.
    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    /// The bytes of a file, or an empty array when it cannot be read.
    QByteArray read(const QString &name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    /// The folder as the messages name it.
    QString shownPath() const { return QDir::toNativeSeparators(folder.path()); }

private:
    QTemporaryDir folder;
};
