// SPDX-License-Identifier: GPL-3.0-or-later
// Sidereal time and hour angle for the observer's clock.
//
// The classic low-precision method for amateur use, as given in O. Montenbruck and
// T. Pfleger, "Astronomy on the Personal Computer" (functions Mjd and GMST): a
// Modified Julian Date from the Gregorian calendar date, Greenwich mean sidereal
// time from the IAU 1982 polynomial in Julian centuries since J2000.0 (Aoki et al.
// 1982), plus the site's longitude. Nutation, precession and the equation of the
// equinoxes play no part.
//
// Plain C++ without Qt; every function is pure and never fails.
#pragma once

#include <string_view>

namespace astro {

/// Modified Julian Date (days) of the epoch J2000.0, 2000 January 1, 12 h.
inline constexpr double J2000_MJD = 51544.5;
/// Days in a Julian century.
inline constexpr double DAYS_PER_JULIAN_CENTURY = 36525.0;
/// Julian Date (days) of the origin of the Modified Julian Date, 1858 November 17, 0 h.
inline constexpr double MJD_ZERO_JD = 2400000.5;
/// Degrees of longitude or arc per hour of time or right ascension (360 / 24).
inline constexpr double DEGREES_PER_HOUR = 15.0;

/// A sexagesimal quantity in decimal units (hours or degrees): whole + minutes / 60 +
/// seconds / 3600, added left to right; right ascension in hours is one. The sign is
/// the caller's: every part counts in the same direction.
constexpr double SexagesimalSum(double whole, double minutes, double seconds)
{
    return whole + minutes / 60.0 + seconds / 3600.0;
}

/// A calendar date (Gregorian) and a time of day to the whole second.
struct CivilDateTime
{
    int year = 2000;
    int month = 1; ///< 1 to 12
    int day = 1;   ///< 1 to 31
    int hour = 0;  ///< 0 to 23
    int minute = 0;
    int second = 0;
    friend bool operator==(const CivilDateTime &, const CivilDateTime &) = default;
};

/// Decimal hours cut into whole hours, minutes and seconds (never rounded).
struct SplitTime
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    friend bool operator==(const SplitTime &, const SplitTime &) = default;
};

/// Everything one clock pass shows, computed from one local time reading.
struct SiderealReadings
{
    CivilDateTime local;        ///< local civil time as read
    CivilDateTime greenwich;    ///< local time less 1 h (2 h in summer time)
    double modifiedJulianDate;  ///< days, for the Greenwich time
    double rightAscensionHours; ///< hours, as entered (no range check)
    double localSiderealHours;  ///< hours, normally 0 to 24 inclusive
    double hourAngleHours;      ///< hours westward from the meridian, normally 0 to 24
    SplitTime siderealSplit;    ///< localSiderealHours split for display
    SplitTime hourAngleSplit;   ///< hourAngleHours split for display
};

/// Reads the number at the start of a text: leading blanks and tabs skipped, an
/// optional sign, digits with at most one "." as decimal separator. Reading
/// stops at the first character that cannot continue the number; a text that
/// does not begin with a number gives 0. The comma is no decimal separator.
/// A number too large for a double gives plus or minus infinity.
double ParseLeadingNumber(std::string_view text);

/// Greenwich time for a local time on central European time: less one hour, or
/// less two hours when daylightSaving is set; rolls back over day, month and
/// year ends.
CivilDateTime GreenwichFromLocal(const CivilDateTime &local, bool daylightSaving);

/// Modified Julian Date (days) of a Greenwich date and time. The Gregorian rule
/// is applied to every date. Midday of 2000 January 1 gives 51544.5.
double ModifiedJulianDate(int year, int month, int day, int hour, int minute, int second);

/// Greenwich mean sidereal time (hours) at a Modified Julian Date (days).
/// Returned in the range 0 to below 24, also for dates before 2000.
double GreenwichSiderealHours(double modifiedJulianDate);

/// Local sidereal time (hours) from Greenwich sidereal time (hours) and the
/// longitude (degrees, east positive). Reduced once by 24 when above 24 and
/// then once raised by 24 when below 0: exactly 24 stays 24, and a longitude far
/// beyond 180 degrees can leave the value outside 0 to 24.
double LocalSiderealHours(double greenwichSiderealHours, double longitudeDegrees);

/// Hour angle (hours), counted westward from the meridian from 0 to 24 for a
/// right ascension from 0 to below 24 hours; not brought into -12 to +12.
double HourAngleHours(double localSiderealHours, double rightAscensionHours);

/// Splits decimal hours into whole hours, minutes and seconds, taking each part
/// with floor: 4.999999 gives 4, 59, 59 and -0.5 gives -1, 30, 0. Hours of 24 or
/// more lose 24 once. A value that is not finite or whose hours do not fit an
/// int splits into 0, 0, 0, since it has no meaningful display.
SplitTime SplitHours(double hours);

/// One full computation: right ascension, Greenwich time, MJD, sidereal time,
/// hour angle and both splits, from the local time, the summer-time flag, the
/// longitude (degrees, east positive) and the right ascension parts.
SiderealReadings ComputeSiderealReadings(const CivilDateTime &local, bool daylightSaving,
                                         double longitudeDegrees, double raHours, double raMinutes,
                                         double raSeconds);

} // namespace astro
