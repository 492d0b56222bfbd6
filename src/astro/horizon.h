// SPDX-License-Identifier: GPL-3.0-or-later
// Where an object stands for the observer: hour angle east or west of the meridian, the time
// to its next upper transit, altitude and azimuth, and the altitude at culmination.
//
// Every function takes the hour angle the clock computes (local mean sidereal time less right
// ascension, no precession or nutation), so these values and the clock's readouts rest on one
// sidereal time. Spherical formulas of the horizon system as in Montenbruck & Pfleger,
// "Astronomy on the Personal Computer"; the horizon is the geometric one (no refraction).
//
// Plain C++ without Qt; every function is pure and never fails.
#pragma once

#include <optional>
#include <string_view>

namespace astro {

/// Sidereal hours per hour of civil (mean solar) time.
inline constexpr double SIDEREAL_PER_CIVIL = 1.00273790935;
/// Hours in a day, civil or sidereal.
inline constexpr double HOURS_PER_DAY = 24.0;
/// Seconds in an hour.
inline constexpr double SECONDS_PER_HOUR = 3600.0;

/// Hour angle brought from 0-24 h to the side of the meridian.
///
/// Given: hourAngleHours, hours westward from the meridian (any finite value; the clock gives
/// 0 to 24). Returned: hours in the range -12 (inclusive) to +12 (exclusive); negative is east
/// (before the meridian), positive west (after it). Not finite in, not finite out.
double EastWestHourAngleHours(double hourAngleHours);

/// Sidereal time until the next upper transit (hour angle 0).
///
/// Given: hourAngleHours, hours westward (any finite value). Returned: sidereal hours in the
/// range 0 (inclusive) to 24 (exclusive); exactly 0 at the transit, so an object on the
/// meridian has its transit now, and a moment after it the next one is a sidereal day away.
double SiderealHoursToTransit(double hourAngleHours);

/// Civil (mean solar) time until the next upper transit: SiderealHoursToTransit divided by
/// SIDEREAL_PER_CIVIL. Returned: seconds, 0 (inclusive) to 86164.1 (about 23 h 56 m 4 s);
/// never negative.
double CivilSecondsToTransit(double hourAngleHours);

/// Altitude above the geometric horizon and azimuth.
struct HorizontalPosition
{
    double altitudeDegrees; ///< -90 to +90
    double azimuthDegrees;  ///< from north through east, 0 (inclusive) to 360 (exclusive)
};

/// Altitude and azimuth of an object.
///
/// Given: latitudeDegrees (-90 to +90, north positive), declinationDegrees (-90 to +90),
/// hourAngleHours (hours westward, any finite value). Returned: HorizontalPosition. Where
/// the azimuth has no meaning (the object in the zenith or nadir, or the observer at a pole
/// for an object at the celestial pole) it is 0.
HorizontalPosition HorizontalFromHourAngle(double latitudeDegrees, double declinationDegrees,
                                           double hourAngleHours);

/// How an object's daily circle lies against the horizon.
enum class DailyCircle
{
    RisesAndSets, ///< above the horizon at upper culmination, not at lower culmination
    NeverRises,   ///< below the horizon even at upper culmination
    Circumpolar,  ///< above the horizon even at lower culmination: it never sets
};

/// The highest point of an object's daily circle.
struct Culmination
{
    double altitudeDegrees; ///< at upper culmination, 90 - |latitude - declination|, -90 to +90
    DailyCircle circle;
};

/// Altitude at the next upper culmination and whether the object rises and sets.
///
/// Given: latitudeDegrees and declinationDegrees, both -90 to +90. Returned: Culmination. An
/// object that culminates exactly on the horizon counts as rising; one whose lower
/// culmination touches the horizon counts as setting.
Culmination UpperCulmination(double latitudeDegrees, double declinationDegrees);

/// Declination in decimal degrees from the three text parts of an object list record.
///
/// Given: the degrees, arc minutes and arc seconds parts as written (blanks around a part
/// allowed). The sign belongs to the degrees part and applies to the whole value, so
/// "-0", "30", "00" is half a degree south; the minutes and seconds count as magnitudes.
/// Returned: degrees from -90 to +90, or nothing when a part does not begin with a number or
/// the value lies beyond a pole.
std::optional<double> DeclinationDegrees(std::string_view degrees, std::string_view arcMinutes,
                                         std::string_view arcSeconds);

} // namespace astro
