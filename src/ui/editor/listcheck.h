// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

/// A line of an object list text that the object choice would refuse or misread.
struct LineProblem
{
    qsizetype line = 0; ///< from 1, as an editor counts lines
    QString reason;     ///< German, for the status line and the question before saving
};

/// A name that stands on more than one line; the object choice takes the last.
struct DuplicateName
{
    QString name;
    QList<qsizetype> lines; ///< from 1, in order
};

/// What the editor tells about a list text while it is typed.
struct ListCheck
{
    QList<LineProblem> problems;
    QList<DuplicateName> duplicates;

    /// The status line: the first problem and how many more, else a note on the first
    /// duplicate name, else empty.
    QString statusText() const;
    /// The question before saving a text with problems, naming the first.
    QString saveQuestion() const;
};

/// Judges every line of text as the object choice reads it: empty lines are skipped, the others
/// are taken apart into records, and a record with a problem or without a name is listed.
ListCheck checkListText(const QString &text);
