// SPDX-License-Identifier: GPL-3.0-or-later
// The night on the plan: sunset, twilight, darkness, sunrise and the Moon for the main window's
// site, time and "Sommerzeit", and per object of the plan its rise, set, best time and distance
// from the Moon, all as local civil times.
//
// Two costs, two calls. computeNightSummary searches the Sun's and the Moon's crossings (about
// a millisecond): call it once per site, night and "Sommerzeit", and keep the result while
// nightSummaryHolds says it still answers the refresh at hand. computeNightObjects is cheap (a
// Moon position and a few trigonometric calls per object) and runs on every refresh with the
// plan's rows.
//
// Times are wall-clock readings of the local civil time (UTC + 1 h, + 2 h with "Sommerzeit"),
// held as QDateTime in Qt::UTC like PlanRow::transitLocalTime, so they never jump at a zone
// change: the box alone decides the offset for the whole night.
#pragma once

#include "astro/night.h"
#include "astro/skyofdate.h"
#include "clock/observingplan.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

/// One event of the night: its local time, or why it does not happen.
struct NightEvent
{
    std::optional<QDateTime> localTime; ///< wall clock, whole seconds; none when it does not happen
    astro::CrossingOutcome outcome = astro::CrossingOutcome::AlwaysBelow;
    QString reason; ///< German, e.g. "Polarnacht"; empty when localTime is set
};

/// The Moon at one moment.
struct MoonNow
{
    double illuminatedPercent = 0; ///< 0 (new) to 100 (full), seen from the Earth's centre
    bool waxing = false;           ///< true while it waxes ("zunehmend")
    double altitudeDegrees = 0;    ///< topocentric, geometric (no refraction), -90..+90
    astro::UnitVector direction;   ///< topocentric, mean equinox 2030.0 like the lists
};

/// The Sun's and the Moon's events of the night that holds the given local time ("tonight":
/// local noon to local noon, so 02:00 belongs to the evening before).
struct NightSummary
{
    double longitudeDegrees = 0; ///< east positive
    double latitudeDegrees = 0;  ///< north positive
    bool daylightSaving = false; ///< the "Sommerzeit" box: offset +2 h, else +1 h
    QDateTime nightStart;        ///< local noon that starts the night (wall clock)
    QDateTime nightEnd;          ///< the next local noon

    NightEvent sunset;           ///< Sun's centre at -0.8333° in the evening
    NightEvent civilDusk;        ///< end of civil twilight (-6°)
    NightEvent nauticalDusk;     ///< end of nautical twilight (-12°)
    NightEvent astronomicalDusk; ///< end of astronomical twilight (-18°)
    NightEvent astronomicalDawn; ///< beginning of astronomical twilight in the morning
    NightEvent nauticalDawn;     ///< beginning of nautical twilight
    NightEvent civilDawn;        ///< beginning of civil twilight
    NightEvent sunrise;          ///< Sun's centre at -0.8333° in the morning
    NightEvent moonrise;         ///< first in the 24 h from the night's noon
    NightEvent moonset;          ///< first in the 24 h from the night's noon

    /// The dark hours the best times use: astronomical darkness, nautical where the Sun never
    /// reaches -18°, none where it never reaches -12° (then darknessReason says why).
    astro::Darkness darknessKind = astro::Darkness::None;
    std::optional<QDateTime> darknessStart;
    std::optional<QDateTime> darknessEnd;
    QString darknessReason; ///< German, e.g. "keine astronomische Dunkelheit"; may be empty

    MoonNow moon; ///< at the local time the summary was computed for

    astro::NightEvents events;                   ///< the same events in UTC, for the objects
    std::shared_ptr<const astro::SkyOfDate> sky; ///< precession and nutation of the night
};

/// The night holding localTime for the site. Costs about a millisecond: see the file comment.
///
/// Given: longitudeDegrees (east +), latitudeDegrees (north +, -90..+90), localTime (local
/// civil time as a wall clock; the zone it claims is ignored), daylightSaving (the box).
NightSummary computeNightSummary(double longitudeDegrees, double latitudeDegrees,
                                 const QDateTime &localTime, bool daylightSaving);

/// True while summary answers a refresh for this site, local time and box: same site and box,
/// and localTime within the summary's night. Otherwise compute a new one.
bool nightSummaryHolds(const NightSummary &summary, double longitudeDegrees, double latitudeDegrees,
                       const QDateTime &localTime, bool daylightSaving);

/// The Moon at localTime (wall clock of the summary's offset), from the summary's sky: cheap.
MoonNow moonAt(const NightSummary &summary, const QDateTime &localTime);

/// One object of the plan in the night.
struct NightObject
{
    std::optional<QDateTime> rise;     ///< first rise in the night (altitude 0°), wall clock
    std::optional<QDateTime> set;      ///< first set in the night
    std::optional<QDateTime> bestTime; ///< highest moment within the dark hours
    double bestAltitudeDegrees = 0;    ///< altitude then; meaningful with bestTime
    std::optional<double> moonDistanceDegrees; ///< topocentric, at the plan's time, 0..180
    /// Why rise and set are missing: "zirkumpolar", "geht nie auf" or the record's problem.
    QString riseSetReason;
    /// Why the best time is missing: no darkness, or "bleibt unter dem Horizont".
    QString bestReason;
};

/// Rise, set, best time and Moon distance per row, in the rows' order.
///
/// Given: the night's summary, the plan's input (its localTime, site and box must be those the
/// summary holds for) and the rows computePlan made of it. Rows without an hour angle or
/// declination get an empty NightObject with the row's emptyReason as riseSetReason.
QList<NightObject> computeNightObjects(const NightSummary &summary, const PlanInput &input,
                                       const QList<PlanRow> &rows);
