// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

/// Tells whether files can be created in a folder. Tests put in their own, because root
/// writes everywhere.
using FolderWritableProbe = std::function<bool(const QString &folder)>;

/// True when a file can really be created in folder: a temporary file is made there and removed.
bool canCreateFilesIn(const QString &folder);

/// The folder the data files are read from and saved to.
///
/// The program folder when files can be created in it (portable use). Otherwise the per-user
/// folder, created if missing and given a copy of every data file (*.txt) of the program folder
/// that it lacks, so a user's edited list is never replaced. When the per-user folder cannot be
/// created, written or completed, the program folder stays the data folder: lists can be read
/// there, and a failed save names that folder.
QString chooseDataFolder(const QString &programFolder, const QString &userFolder,
                         const FolderWritableProbe &canWrite = canCreateFilesIn);

/// The data folder and, when the per-user folder was wanted but cannot be used, a German notice
/// for the window that says so and where the lists are read from instead.
struct DataFolderChoice
{
    QString folder;
    QString notice;
};
DataFolderChoice chooseDataFolderWithNotice(const QString &programFolder, const QString &userFolder,
                                            const FolderWritableProbe &canWrite = canCreateFilesIn);

/// chooseDataFolder for the running program: the executable's folder and the application's
/// per-user data folder (~/.local/share/zenitor).
QString programDataFolder();
DataFolderChoice programDataFolderWithNotice();
