// SPDX-License-Identifier: GPL-3.0-or-later
#include "observingplan.h"

#include "astro/sidereal.h"
#include "catalogue/objectrecord.h"
#include "clock/readouttext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SECONDS_PER_HOUR = 3600;
constexpr int SECONDS_PER_DAY = 86400;

double leadingNumber(const QString &text)
{
    return astro::ParseLeadingNumber(text.toStdString());
}

QString twoDigits(qint64 value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

double planLocalSiderealHours(const QDateTime &localTime, bool daylightSaving,
                              double longitudeDegrees)
{
    return astro::ComputeSiderealReadings(toCivilDateTime(localTime), daylightSaving,
                                          longitudeDegrees, 0, 0, 0)
        .localSiderealHours;
}

QList<PlanObject> planObjects(const QList<QStringList> &records)
{
    QList<PlanObject> objects;
    objects.reserve(records.size());
    for (const QStringList &fields : records) {
        const ObjectRecord record = parseObjectRecord(fields);
        PlanObject object;
        object.name = record.name;
        object.rightAscensionText = fields.value(1).trimmed();
        object.declinationText = fields.value(2).trimmed();
        if (record.problem == RecordProblem::None || record.problem == RecordProblem::Declination)
            object.rightAscensionHours = astro::SexagesimalSum(
                leadingNumber(record.rightAscension[0]), leadingNumber(record.rightAscension[1]),
                leadingNumber(record.rightAscension[2]));
        if (record.problem == RecordProblem::None)
            object.declinationDegrees = astro::DeclinationDegrees(
                record.declination[0].toStdString(), record.declination[1].toStdString(),
                record.declination[2].toStdString());
        if (record.problem == RecordProblem::TooFewFields)
            object.emptyReason = QStringLiteral("Datensatz überprüfen");
        else if (!object.rightAscensionHours)
            object.emptyReason = QStringLiteral("Rektaszension überprüfen");
        else if (!object.declinationDegrees)
            object.emptyReason = QStringLiteral("Deklination überprüfen");
        objects.append(object);
    }
    return objects;
}

QList<PlanRow> computePlan(const PlanInput &input)
{
    return computePlan(input, planObjects(input.records));
}

QList<PlanRow> computePlan(const PlanInput &input, const QList<PlanObject> &objects)
{
    const double localSidereal =
        planLocalSiderealHours(input.localTime, input.daylightSaving, input.longitudeDegrees);
    // The local clock as a plain wall clock: adding seconds must not jump at a zone change.
    const QDateTime wallClock(input.localTime.date(), input.localTime.time(), Qt::UTC);

    QList<PlanRow> rows;
    rows.reserve(objects.size());
    for (const PlanObject &object : objects) {
        PlanRow row;
        row.name = object.name;
        row.rightAscensionText = object.rightAscensionText;
        row.declinationText = object.declinationText;
        if (object.rightAscensionHours) {
            row.hasHourAngle = true;
            row.hourAngleHours = astro::HourAngleHours(localSidereal, *object.rightAscensionHours);
            row.eastWestHours = astro::EastWestHourAngleHours(row.hourAngleHours);
            row.secondsToTransit = std::llround(astro::CivilSecondsToTransit(row.hourAngleHours));
            row.transitLocalTime = wallClock.addSecs(row.secondsToTransit);
        }
        row.declinationDegrees = object.declinationDegrees;
        if (!object.emptyReason.isEmpty())
            row.emptyReason = object.emptyReason;
        else if (!input.latitudeDegrees)
            row.emptyReason = QStringLiteral("Breite des Standorts unbekannt");
        else {
            row.position = astro::HorizontalFromHourAngle(
                *input.latitudeDegrees, *object.declinationDegrees, row.hourAngleHours);
            // Azimuth runs over [0, 360): just west of north it would print as 360.00 (only
            // values this near 360 can; the text is written only for them).
            if (row.position->azimuthDegrees > 359.99 &&
                degreesText(row.position->azimuthDegrees) == QStringLiteral("360.00"))
                row.position->azimuthDegrees = 0;
            row.culmination =
                astro::UpperCulmination(*input.latitudeDegrees, *object.declinationDegrees);
        }
        rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PlanRow &a, const PlanRow &b) {
        if (a.hasHourAngle != b.hasHourAngle)
            return a.hasHourAngle;
        return a.hasHourAngle && a.secondsToTransit < b.secondsToTransit;
    });
    return rows;
}

QString eastWestText(double hourAngleHours)
{
    if (!std::isfinite(hourAngleHours))
        return {};
    // The readout cuts its seconds off; so does this, on the 0-24 h value it shows.
    qint64 seconds = static_cast<qint64>(std::floor(hourAngleHours * SECONDS_PER_HOUR));
    seconds %= SECONDS_PER_DAY;
    if (seconds < 0)
        seconds += SECONDS_PER_DAY;
    if (seconds >= SECONDS_PER_DAY / 2)
        seconds -= SECONDS_PER_DAY;
    const QChar sign = seconds < 0 ? u'-' : u'+';
    return sign + durationText(std::abs(seconds));
}

QString durationText(qint64 seconds)
{
    return twoDigits(seconds / SECONDS_PER_HOUR) + u':' + twoDigits(seconds / 60 % 60) + u':' +
           twoDigits(seconds % 60);
}

QString planDateTimeText(const QDateTime &dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString degreesText(double degrees)
{
    // Rounding may give "-0.00"; a sign on zero would only puzzle.
    QString text = QString::number(degrees, 'f', 2);
    if (text == QStringLiteral("-0.00"))
        text = QStringLiteral("0.00");
    return text;
}

std::optional<bool> summerTimeForUtcOffset(int utcOffsetSeconds)
{
    if (utcOffsetSeconds == SECONDS_PER_HOUR)
        return false;
    if (utcOffsetSeconds == 2 * SECONDS_PER_HOUR)
        return true;
    return std::nullopt;
}

bool summerTimeDisagrees(bool summerTimeTicked, int utcOffsetSeconds)
{
    return utcOffsetSeconds != (summerTimeTicked ? 2 : 1) * SECONDS_PER_HOUR;
}

QString summerTimeWarning(bool summerTimeTicked, int utcOffsetSeconds)
{
    const int minutes = std::abs(utcOffsetSeconds) / 60;
    const QString systemOffset = QStringLiteral("UTC") + (utcOffsetSeconds < 0 ? u'-' : u'+') +
                                 twoDigits(minutes / 60) + u':' + twoDigits(minutes % 60);
    return (summerTimeTicked ? QStringLiteral("„Sommerzeit“ ist angekreuzt (UTC+02:00)")
                             : QStringLiteral("„Sommerzeit“ ist nicht angekreuzt (UTC+01:00)")) +
           QStringLiteral(", die Systemuhr geht aber auf ") + systemOffset +
           QStringLiteral(": Greenwich-Zeit, Sternzeit und Stundenwinkel überprüfen!");
}
