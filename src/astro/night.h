// SPDX-License-Identifier: GPL-3.0-or-later
// The events of one night for an observer: sunset, twilight, darkness, sunrise, moonrise and
// moonset, and per object its rise, set and best time in the dark hours.
//
// "Tonight" is the span from local noon to the next local noon that holds the given local
// civil time, so 02:00 belongs to the night that began the evening before. Each evening event
// is the first downward crossing of its altitude in that span, each morning event the first
// upward crossing. Nothing is made up: where a crossing does not happen the result says why
// (always above, always below, or only the other way).
//
// Instants are UTC as Unix seconds (see skyofdate.h); the local civil offset (hours east of
// Greenwich, +1 central European time, +2 its summer time) is an input, held for the whole
// night as the clock holds it.
//
// Objects use the clock's own hour angle (mean sidereal time, no precession: see horizon.h),
// advanced at SIDEREAL_PER_CIVIL, so rise, set and best time agree with the plan's altitudes.
//
// Plain C++ without Qt; nothing here fails or throws.
#pragma once

#include "horizon.h"
#include "skyofdate.h"

#include <functional>
#include <optional>
#include <vector>

namespace astro {

/// Altitudes (degrees, geometric, of the Sun's centre) of the Sun's events.
inline constexpr double SUNRISE_ALTITUDE_DEGREES = -0.8333; ///< upper limb, standard refraction
inline constexpr double CIVIL_TWILIGHT_ALTITUDE_DEGREES = -6.0;
inline constexpr double NAUTICAL_TWILIGHT_ALTITUDE_DEGREES = -12.0;
inline constexpr double ASTRONOMICAL_TWILIGHT_ALTITUDE_DEGREES = -18.0;

/// Sampling step of the crossing search (seconds): two crossings closer than this (a body
/// grazing its altitude) may be missed, never invented.
inline constexpr double CROSSING_STEP_SECONDS = 600.0;
/// A crossing is refined until its bracket is this narrow (seconds).
inline constexpr double CROSSING_PRECISION_SECONDS = 0.05;

/// How a quantity stands against a threshold through a span.
enum class CrossingOutcome
{
    Crosses,      ///< crosses in the asked direction; the time is set
    AlwaysAbove,  ///< above the threshold at every sample of the span (e.g. midnight sun)
    AlwaysBelow,  ///< below at every sample (e.g. polar night)
    OtherWayOnly, ///< on both sides, but crosses only in the other direction within the span
};

/// One crossing: the instant, or why there is none.
struct Crossing
{
    CrossingOutcome outcome = CrossingOutcome::AlwaysBelow;
    std::optional<double> utcSeconds; ///< set exactly when outcome is Crosses
};

/// A span of time [startUtc, endUtc), Unix seconds.
struct TimeSpan
{
    double startUtc = 0;
    double endUtc = 0;
};

/// The samples of a function of time over a span, and the search for where it crosses a
/// threshold: a sign change between neighbouring samples brackets a crossing, bisection refines
/// it to CROSSING_PRECISION_SECONDS. The function is sampled once; each threshold searched
/// costs about 14 more calls.
class CrossingSearch
{
public:
    /// Given: valueAt, any function of Unix seconds (e.g. an altitude in degrees) that is
    /// continuous over the span; the span; stepSeconds > 0, the sampling step.
    CrossingSearch(std::function<double(double)> valueAt, TimeSpan span,
                   double stepSeconds = CROSSING_STEP_SECONDS);

    /// The first instant in the span where the value falls through threshold (same unit).
    Crossing firstDownward(double threshold) const;
    /// The first instant in the span where the value rises through threshold.
    Crossing firstUpward(double threshold) const;
    /// The first stretch of the span in which the value lies below threshold: from the span's
    /// start (if below there) or the first downward crossing, to the next upward crossing or the
    /// span's end. None when no sample lies below.
    std::optional<TimeSpan> firstStretchBelow(double threshold) const;

private:
    Crossing first(double threshold, bool downward, double fromUtc) const;
    double refine(double threshold, double before, double after) const;

    std::function<double(double)> m_valueAt;
    std::vector<double> m_times;
    std::vector<double> m_values;
};

/// Tonight's span: local noon to the next local noon holding the instant.
///
/// Given: utcSeconds (Unix time), utcOffsetHours (local civil time less UTC, -12..+14).
/// Returned: the 24 h span, start at 12:00:00 local civil time.
TimeSpan NightSpanFor(double utcSeconds, double utcOffsetHours);

/// Which darkness the night's best times use.
enum class Darkness
{
    Astronomical, ///< the Sun goes below -18°
    Nautical,     ///< the Sun reaches -12° but not -18° (white night)
    None,         ///< the Sun never goes below -12°
};

/// The Sun's and the Moon's events of one night. Sun events at the altitudes above; moonrise
/// and moonset when the Moon's geocentric centre stands at MoonRiseSetAltitudeDegrees.
struct NightEvents
{
    Site site;
    double utcOffsetHours = 0;
    TimeSpan span; ///< local noon to local noon

    Crossing sunset;           ///< evening, Sun downward through SUNRISE_ALTITUDE_DEGREES
    Crossing civilDusk;        ///< evening, end of civil twilight (-6°)
    Crossing nauticalDusk;     ///< evening, end of nautical twilight (-12°)
    Crossing astronomicalDusk; ///< evening, end of astronomical twilight (-18°)
    Crossing astronomicalDawn; ///< morning, beginning of astronomical twilight
    Crossing nauticalDawn;     ///< morning, beginning of nautical twilight
    Crossing civilDawn;        ///< morning, beginning of civil twilight
    Crossing sunrise;          ///< morning, Sun upward through SUNRISE_ALTITUDE_DEGREES
    Crossing moonrise;         ///< first in the 24 h from local noon
    Crossing moonset;          ///< first in the 24 h from local noon

    Darkness darknessKind = Darkness::None;
    /// The dark hours the best times use: the first stretch of the span with the Sun below -18°
    /// (below -12° for a nautical night); none when darknessKind is None.
    std::optional<TimeSpan> darkness;
};

/// The night's events holding the instant utcSeconds for the site.
///
/// Given: sky (built for an instant of the same night), site, utcSeconds (Unix time),
/// utcOffsetHours (-12..+14). Costs some 300 Sun and 200 Moon positions, about a millisecond:
/// compute it once per site, night and offset, not on every refresh.
NightEvents ComputeNightEvents(const SkyOfDate &sky, const Site &site, double utcSeconds,
                               double utcOffsetHours);

/// An object's night on the clock's hour angle.
struct ObjectNight
{
    DailyCircle circle = DailyCircle::RisesAndSets; ///< for the site's latitude
    std::optional<double> riseUtc;  ///< first rise in the span (geometric altitude 0°)
    std::optional<double> setUtc;   ///< first set in the span
    std::optional<double> bestUtc;  ///< highest moment within the night's darkness
    double bestAltitudeDegrees = 0; ///< altitude at bestUtc (-90..+90); meaningful with bestUtc
};

/// Rise, set and best time of an object in the night.
///
/// Given: night (from ComputeNightEvents), declinationDegrees (-90..+90), hourAngleHours (hours
/// westward, any finite value) as the clock computes it at hourAngleUtc (Unix seconds).
/// Returned: rise and set unset for a circumpolar or never-rising object; best time unset
/// without darkness or when the object stays below the horizon all the dark hours; no times
/// at all for an hour angle that is not finite.
/// Costs a few trigonometric calls: cheap enough for every object on every refresh.
ObjectNight ObjectInNight(const NightEvents &night, double declinationDegrees,
                          double hourAngleHours, double hourAngleUtc);

} // namespace astro
