// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Sun and the Moon stand for an observer: altitudes, the Moon's phase and its
// distance from an object of the lists.
//
// Positions come from ERFA: the Earth's orbit (eraEpv00) for the Sun, eraMoon98 for the Moon,
// the IAU 2006/2000A precession-nutation (eraPnm06a) and Greenwich apparent sidereal time for
// the true equator and equinox of date. The altitudes are geometric (no refraction): the
// thresholds of the night's events carry the standard refraction instead.
//
// Time: every instant is UTC as seconds since 1970-01-01 00:00 UTC (Unix time, leap seconds
// not counted), a double. UT1 is taken as UTC (within 0.9 s) and TT as UTC + 69.184 s (the
// 37 leap seconds in force since 2017 plus 32.184 s).
//
// Plain C++ without Qt; nothing here fails or throws.
#pragma once

namespace astro {

/// Seconds in a day.
inline constexpr double SECONDS_PER_DAY = 86400.0;
/// Julian Date (days) of 1970-01-01 00:00 UTC, where Unix time starts.
inline constexpr double UNIX_EPOCH_JD = 2440587.5;
/// TT - UTC (seconds) from 2017 on: 37 leap seconds plus TT - TAI.
inline constexpr double TT_MINUS_UTC_SECONDS = 69.184;

/// An observing site on the WGS84 ellipsoid at sea level.
struct Site
{
    double longitudeDegrees = 0; ///< -180 to +180, east positive
    double latitudeDegrees = 0;  ///< -90 to +90, north positive
};

/// A direction as a unit vector: x to the equinox, z to the celestial pole of the frame.
struct UnitVector
{
    double x = 1;
    double y = 0;
    double z = 0;
};

/// The Moon for an observer at one instant.
struct MoonView
{
    double geocentricAltitudeDegrees;  ///< of the centre seen from the Earth's centre, -90..+90
    double topocentricAltitudeDegrees; ///< of the centre seen from the site, -90..+90
    double horizontalParallaxDegrees;  ///< asin(equatorial Earth radius / distance), 0.9..1.03
    double distanceKilometres;         ///< from the Earth's centre, about 356000..407000
    UnitVector topocentricEquinox2030; ///< seen from the site, mean equator and equinox 2030.0
    double illuminatedFraction;        ///< 0 (new) to 1 (full), seen from the Earth's centre
    bool waxing;                       ///< true while the Moon is east of the Sun (0..180°)
};

/// The orientation of the sky for a few days around one instant: the precession-nutation
/// matrix and the equation of the equinoxes, computed once (the costly part), and the
/// precession to the mean equinox 2030.0 of the object lists, and the Earth's orbit a day
/// either side.
///
/// Precession moves 0.14" a day and nutation under 0.1" a day, so one SkyOfDate serves a
/// night within a fraction of a second of time: build one per night, at its middle. Beyond a
/// day from that instant the Sun is computed afresh (slower, same result).
class SkyOfDate
{
public:
    /// Given: utcSeconds, the instant around which the sky is used (Unix time, 1900-2100).
    explicit SkyOfDate(double utcSeconds);

    /// Geometric altitude (degrees, -90..+90) of the Sun's centre for the site at utcSeconds:
    /// apparent place (aberration included), true equator of date, apparent sidereal time,
    /// topocentric parallax (under 9") neglected.
    double sunAltitudeDegrees(double utcSeconds, const Site &site) const;

    /// The Moon at utcSeconds for the site; see MoonView.
    MoonView moon(double utcSeconds, const Site &site) const;

private:
    // The Sun from the Earth (AU, GCRS) and the Earth's barycentric velocity (AU/day) at utc.
    void sunAndEarthVelocity(double utcSeconds, double sun[3], double velocity[3]) const;

    // eraEpv00 costs some 0.1 ms, the Moon a tenth of that; the Earth's orbit is so smooth that
    // a parabola through three positions a day apart is good to 1" within a day of the middle.
    double m_nodeUtc;             // the middle node, Unix seconds; the others a day either side
    double m_sunNodes[3][3];      // the Sun from the Earth at the nodes, AU
    double m_velocityNodes[3][3]; // the Earth's barycentric velocity at the nodes, AU/day
    double m_trueOfDate[3][3];    // GCRS to true equator and equinox of date
    double m_equinox2030[3][3];   // GCRS to mean equator and equinox 2030.0
    double m_equationOfEquinoxes; // radians, apparent less mean sidereal time
};

/// Unit vector of a right ascension (hours, any value) and declination (degrees, -90..+90).
UnitVector DirectionFromEquatorial(double rightAscensionHours, double declinationDegrees);

/// Angle between two directions, degrees, 0..180.
double AngularDistanceDegrees(const UnitVector &a, const UnitVector &b);

/// Geocentric altitude (degrees) of the Moon's centre when its upper limb touches the horizon
/// with standard refraction: 0.7275 × horizontal parallax - 0.5667°. Given: the horizontal
/// parallax, degrees. Returned: about +0.09 to +0.18.
double MoonRiseSetAltitudeDegrees(double horizontalParallaxDegrees);

} // namespace astro
