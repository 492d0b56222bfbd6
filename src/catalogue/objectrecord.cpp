// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/objectrecord.h"

#include "catalogue/recordfields.h"

namespace {

/// A coordinate field trimmed and split at every ":"; empty unless that gives three parts.
QStringList threeParts(const QString &field)
{
    QStringList parts = trimSpaces(field).split(QLatin1Char(':'));
    if (parts.size() != 3)
        return {};
    return parts;
}

} // namespace

QString ObjectRecord::declinationText() const
{
    if (declination.size() != 3)
        return {};
    return declination[0] + QStringLiteral("° ") + declination[1] + QStringLiteral("' ") +
           declination[2] + QLatin1Char('"');
}

ObjectRecord parseObjectRecord(const QStringList &fields)
{
    ObjectRecord record;
    record.name = trimSpaces(fields.value(0));
    if (fields.size() == 4)
        record.info = fields[3];
    if (fields.size() < 3) {
        record.problem = RecordProblem::TooFewFields;
        return record;
    }
    record.rightAscension = threeParts(fields[1]);
    if (record.rightAscension.isEmpty()) {
        record.problem = RecordProblem::RightAscension;
        return record;
    }
    record.declination = threeParts(fields[2]);
    if (record.declination.isEmpty())
        record.problem = RecordProblem::Declination;
    return record;
}
