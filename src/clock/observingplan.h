// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/horizon.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// What the plan is computed from: the main window's list, site and "Sommerzeit" as they stand.
struct PlanInput
{
    QList<QStringList> records;            ///< the list's records as ReadObjectRecords gives them
    double longitudeDegrees = 0;           ///< leading number of the site text, east positive
    std::optional<double> latitudeDegrees; ///< the site's latitude; none for a typed longitude
    QDateTime localTime;                   ///< local civil time on the main window's clock
    bool daylightSaving = false;           ///< the "Sommerzeit" box
};

/// One object of the plan.
struct PlanRow
{
    QString name;               ///< field 1, trimmed, as the object choice lists it
    QString rightAscensionText; ///< field 2 as in the file (trimmed)
    QString declinationText;    ///< field 3 as in the file (trimmed)

    bool hasHourAngle = false;   ///< false when the right ascension is malformed
    double hourAngleHours = 0;   ///< westward, 0 to 24, exactly as the hour-angle readout
    double eastWestHours = 0;    ///< -12 to +12, negative east
    qint64 secondsToTransit = 0; ///< civil seconds to the next upper transit, rounded
    /// Local civil time of that transit as a wall-clock reading, held without zone rules so it
    /// never jumps at a summer-time switch.
    QDateTime transitLocalTime;
    /// Decimal degrees of field 3; none when the record's declination is malformed.
    std::optional<double> declinationDegrees;

    /// Now; needs latitude and declination. An azimuth that degreesText would round to 360.00
    /// is 0, north.
    std::optional<astro::HorizontalPosition> position;
    std::optional<astro::Culmination> culmination; ///< needs latitude and declination
    QString emptyReason; ///< German: why altitude and azimuth are empty, or empty
};

/// One record of the list taken apart once: what the plan needs of it at every refresh.
struct PlanObject
{
    QString name;               ///< as PlanRow::name
    QString rightAscensionText; ///< as PlanRow::rightAscensionText
    QString declinationText;    ///< as PlanRow::declinationText
    /// Decimal hours of field 2; none when the right ascension is malformed.
    std::optional<double> rightAscensionHours;
    std::optional<double> declinationDegrees; ///< decimal degrees of field 3
    QString emptyReason; ///< why the record gives no hour angle or declination, or empty
};

/// The records of a list taken apart, in their order; computePlan(input, objects) takes them so
/// that a refresh does not parse the same records again.
QList<PlanObject> planObjects(const QList<QStringList> &records);

/// The plan: one row per record that has a name field, sorted by time to the next transit
/// (the next object to cross the meridian first); rows without an hour angle follow in file
/// order. Uses the main window's sidereal time computation for the same local time, flag and
/// longitude, so a row's hour angle equals the readout's for that object.
QList<PlanRow> computePlan(const PlanInput &input);
/// The same from the input's records as planObjects gave them (input.records is not read).
QList<PlanRow> computePlan(const PlanInput &input, const QList<PlanObject> &objects);

/// Local sidereal time (hours) of the plan's input, as the main window's readout computes it.
double planLocalSiderealHours(const QDateTime &localTime, bool daylightSaving,
                              double longitudeDegrees);

/// "+hh:mm:ss" or "-hh:mm:ss" (negative east), from the whole seconds the hour-angle readout
/// shows, so the two never differ by a second.
QString eastWestText(double hourAngleHours);
/// "hh:mm:ss" for a span of civil seconds (hours may exceed 23).
QString durationText(qint64 seconds);
/// "YYYY-MM-DD hh:mm:ss".
QString planDateTimeText(const QDateTime &dateTime);
/// Degrees with two decimals and a point, "-5.91".
QString degreesText(double degrees);

/// The "Sommerzeit" setting the system's UTC offset stands for: +1 h central European time
/// (false), +2 h its summer time (true); none for any other offset.
std::optional<bool> summerTimeForUtcOffset(int utcOffsetSeconds);
/// True while the box's offset (+1 h unticked, +2 h ticked) is not the system's present one.
bool summerTimeDisagrees(bool summerTimeTicked, int utcOffsetSeconds);
/// The German note shown while the box disagrees with the system, naming both offsets.
QString summerTimeWarning(bool summerTimeTicked, int utcOffsetSeconds);
