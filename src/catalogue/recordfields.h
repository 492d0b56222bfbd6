// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fields of a line of a data file, shared by the list reader and the site parse.

#include <QString>
#include <QStringList>

/// The fields of a line, split at every ";" with empty fields kept; an empty line has none.
QStringList splitFields(const QString &line);
/// text without the space characters (code 32) at both ends; tabs stay.
QString trimSpaces(const QString &text);
