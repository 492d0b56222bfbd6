// SPDX-License-Identifier: GPL-3.0-or-later
#include "listcheck.h"

#include "catalogue/cataloguefiles.h"
#include "catalogue/objectrecord.h"
#include "catalogue/recordfields.h"

#include <QHash>

namespace {

QString reasonFor(const ObjectRecord &record)
{
    switch (record.problem) {
    case RecordProblem::TooFewFields:
        return QStringLiteral("weniger als drei Felder (Objekt;Rektaszension;Deklination;Info)");
    case RecordProblem::RightAscension:
        return QStringLiteral("Rektaszension nicht in der Form hh:mm:ss");
    case RecordProblem::Declination:
        return QStringLiteral("Deklination nicht in der Form grad:min:sek");
    case RecordProblem::None:
        break;
    }
    if (record.name.isEmpty())
        return QStringLiteral("kein Objektname");
    return {};
}

QString problemText(const LineProblem &problem)
{
    return QStringLiteral("Zeile %1: %2").arg(problem.line).arg(problem.reason);
}

QString moreLines(qsizetype more)
{
    if (more == 0)
        return {};
    if (more == 1)
        return QStringLiteral(" (und 1 weitere Zeile)");
    return QStringLiteral(" (und %1 weitere Zeilen)").arg(more);
}

} // namespace

ListCheck checkListText(const QString &text)
{
    ListCheck check;
    const QStringList lines = CatalogueFiles::splitLines(text);
    QHash<QString, qsizetype> duplicateIndex;
    QHash<QString, qsizetype> firstLine;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const qsizetype number = i + 1;
        if (line.isEmpty())
            continue;
        if (line.size() > MAX_LINE_CHARACTERS) {
            check.problems.append(
                {number, QStringLiteral("länger als %1 Zeichen").arg(MAX_LINE_CHARACTERS)});
            continue;
        }
        const ObjectRecord record = parseObjectRecord(splitFields(line));
        if (const QString reason = reasonFor(record); !reason.isEmpty()) {
            check.problems.append({number, reason});
            continue;
        }
        if (!firstLine.contains(record.name)) {
            firstLine.insert(record.name, number);
            continue;
        }
        if (!duplicateIndex.contains(record.name)) {
            duplicateIndex.insert(record.name, check.duplicates.size());
            check.duplicates.append({record.name, {firstLine.value(record.name)}});
        }
        check.duplicates[duplicateIndex.value(record.name)].lines.append(number);
    }
    return check;
}

QString ListCheck::statusText() const
{
    if (!problems.isEmpty())
        return problemText(problems.constFirst()) + moreLines(problems.size() - 1);
    if (!duplicates.isEmpty()) {
        const DuplicateName &first = duplicates.constFirst();
        QStringList numbers;
        for (const qsizetype line : first.lines)
            numbers.append(QString::number(line));
        return QStringLiteral("Hinweis: „%1“ steht in den Zeilen %2; gewählt wird die letzte.")
            .arg(first.name, numbers.join(QStringLiteral(", ")));
    }
    return {};
}

QString ListCheck::saveQuestion() const
{
    if (problems.isEmpty())
        return {};
    return QStringLiteral("%1%2.\nDie Objektauswahl kann diese Zeile nicht richtig lesen.\n"
                          "Trotzdem so speichern?")
        .arg(problemText(problems.constFirst()), moreLines(problems.size() - 1));
}
