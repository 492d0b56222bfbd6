// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/cataloguefiles.h"

#include <QString>

// The German messages about data files, in the manner of the two coordinate messages: the file
// and its folder are named so the user knows where to look.

/// For a file that could not be used; state must not be FileState::Done.
QString fileProblemMessage(FileState state, const QString &path, const QString &listName);

/// For a file that was read but holds no entries.
QString noEntriesMessage(const QString &path);

/// For an object whose record has fewer than three fields.
QString shortRecordMessage(const QString &objectName, const QString &path);

/// For a malformed right ascension or declination of an object.
QString rightAscensionMessage(const QString &objectName);
QString declinationMessage(const QString &objectName);
