// SPDX-License-Identifier: GPL-3.0-or-later
// IAU 1976 precession of mean equatorial coordinates.
//
// The angles zeta, z and theta are the polynomials of Lieske, Lederle, Fricke &
// Morando (1977), "Expressions for the precession quantities based upon the IAU
// (1976) system of astronomical constants", A&A 58, 1-16, equations (6), in the
// general form for any start and end epoch, the model behind ERFA's eraPrec76
// and eraPmat76. Good to well below an arc second over a few centuries around
// J2000.0, far better than the lists need.
//
// Plain C++ without Qt; every function is pure and never fails.
#pragma once

#include "astro/sidereal.h"

#include <array>
#include <numbers>

namespace precession {

/// Julian Date (TT) of the reference epoch J2000.0 (2000 January 1, 12 h TT).
inline constexpr double J2000_JD = astro::MJD_ZERO_JD + astro::J2000_MJD;
using astro::DAYS_PER_JULIAN_CENTURY;
/// Days in a Julian year.
inline constexpr double DAYS_PER_JULIAN_YEAR = 365.25;
/// Arc seconds to radians.
inline constexpr double ARCSECONDS_TO_RADIANS = 4.848136811095359935899141e-6;
/// Hours of right ascension to radians.
inline constexpr double RADIANS_PER_HOUR = std::numbers::pi / 12.0;
/// Degrees of arc to radians.
inline constexpr double RADIANS_PER_DEGREE = std::numbers::pi / 180.0;

/// The three precession angles (radians): rotate by -zeta about the z axis, by
/// +theta about the new y axis, then by -z about the new z axis.
struct PrecessionAngles
{
    double zeta = 0.0;  ///< radians, first rotation, clockwise about z
    double z = 0.0;     ///< radians, third rotation, clockwise about z
    double theta = 0.0; ///< radians, second rotation, anticlockwise about y
};

/// A position on the celestial sphere.
struct EquatorialPosition
{
    double rightAscension = 0.0; ///< radians, 0 to below 2 pi
    double declination = 0.0;    ///< radians, -pi/2 to +pi/2
};

/// Rotation matrix, row by row; applied to a column vector.
using Matrix3 = std::array<std::array<double, 3>, 3>;

/// Julian Date (TT) of a Julian epoch: 2030.0 gives 2462502.5.
constexpr double JulianEpochToJulianDate(double julianEpoch)
{
    return J2000_JD + (julianEpoch - 2000.0) * DAYS_PER_JULIAN_YEAR;
}

/// IAU 1976 precession angles (radians) from the mean equator and equinox of
/// the start epoch to those of the end epoch, both given as Julian Dates (TT).
PrecessionAngles PrecessionAngles76(double fromJulianDate, double toJulianDate);

/// Precession matrix from the start epoch to the end epoch (Julian Dates, TT):
/// a unit vector of the start frame times this matrix gives the end frame's.
/// From J2000.0 to a date it equals ERFA's eraPmat76 for that date.
Matrix3 PrecessionMatrix76(double fromJulianDate, double toJulianDate);

/// Mean position of the start epoch precessed to the mean equator and equinox
/// of the end epoch (Julian Dates, TT). No proper motion, nutation or
/// aberration. The declination comes from atan2, so positions at the poles
/// stay accurate; the right ascension is returned in 0 to below 2 pi.
EquatorialPosition PrecessPosition(const EquatorialPosition &position, double fromJulianDate,
                                   double toJulianDate);

} // namespace precession
