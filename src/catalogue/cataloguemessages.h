// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/filestate.h"

#include <QList>

#include <QString>

// The German messages about data files, in the manner of the two coordinate messages: the file
// and its folder are named so the user knows where to look.

/// For a file that could not be used; state must not be FileState::Done. systemError: the errno
/// of a failed save, which names the reason.
QString fileProblemMessage(FileState state, const QString &path, const QString &listName,
                           int systemError = 0);

/// For lines skipped for their length; lineNumbers count from 1 and must not be empty.
QString longLinesMessage(const QString &path, const QList<qsizetype> &lineNumbers);

/// For lines whose object, right ascension or declination hold control characters (a NUL byte,
/// a tab), which a table or a terminal cannot show; lineNumbers count from 1, not empty.
QString controlCharactersMessage(const QString &path, const QList<qsizetype> &lineNumbers);

/// For a list the editor does not open because of its over-long lines.
QString longLinesNotEditableMessage(const QString &path, const QList<qsizetype> &lineNumbers);

/// Asks, before a save, whether to replace a file that was changed since the editor read it.
QString changedMeanwhileQuestion(const QString &path);

/// For a file that was read but holds no entries.
QString noEntriesMessage(const QString &path);

/// For an object whose record has fewer than three fields.
QString shortRecordMessage(const QString &objectName, const QString &path);

/// For a latitude field in the location file that is no number from -90 to 90.
QString latitudeMessage(const QString &latitudeText, int lineNumber, const QString &path);

/// For a line of the location file without a site text before its ";".
QString siteTextMessage(int lineNumber, const QString &path);

/// Why a write failed, in the user's words, from the system's error number (errno); 0 when
/// there is none to tell.
QString writeFailureReason(int systemError);

/// For a malformed right ascension or declination of an object.
QString rightAscensionMessage(const QString &objectName);
QString declinationMessage(const QString &objectName);
