// SPDX-License-Identifier: GPL-3.0-or-later
#include "precession.h"

#include <cmath>
#include <numbers>

namespace precession {

namespace {

// Rotation of the coordinate frame (not of the vector) by an angle about the z axis.
Matrix3 frameRotationZ(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {{{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}}};
}

// Rotation of the coordinate frame by an angle about the y axis.
Matrix3 frameRotationY(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {{{c, 0.0, -s}, {0.0, 1.0, 0.0}, {s, 0.0, c}}};
}

Matrix3 multiply(const Matrix3 &left, const Matrix3 &right)
{
    Matrix3 product{};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            for (int k = 0; k < 3; ++k)
                product[row][column] += left[row][k] * right[k][column];
    return product;
}

} // namespace

PrecessionAngles PrecessionAngles76(double fromJulianDate, double toJulianDate)
{
    // Lieske's T: start epoch in Julian centuries from J2000.0; t: the interval.
    const double startCenturies = (fromJulianDate - J2000_JD) / DAYS_PER_JULIAN_CENTURY;
    const double intervalCenturies = (toJulianDate - fromJulianDate) / DAYS_PER_JULIAN_CENTURY;
    const double T = startCenturies;
    const double t = intervalCenturies;

    // Arc seconds, Lieske et al. (1977) equations (6).
    const double common = 2306.2181 + 1.39656 * T - 0.000139 * T * T;
    const double zeta = common * t + (0.30188 - 0.000344 * T) * t * t + 0.017998 * t * t * t;
    const double z = common * t + (1.09468 + 0.000066 * T) * t * t + 0.018203 * t * t * t;
    const double theta = (2004.3109 - 0.85330 * T - 0.000217 * T * T) * t -
                         (0.42665 + 0.000217 * T) * t * t - 0.041833 * t * t * t;

    return {zeta * ARCSECONDS_TO_RADIANS, z * ARCSECONDS_TO_RADIANS, theta * ARCSECONDS_TO_RADIANS};
}

Matrix3 PrecessionMatrix76(double fromJulianDate, double toJulianDate)
{
    const PrecessionAngles angles = PrecessionAngles76(fromJulianDate, toJulianDate);
    // The first rotation acts first on the vector, so it stands rightmost.
    return multiply(frameRotationZ(-angles.z),
                    multiply(frameRotationY(angles.theta), frameRotationZ(-angles.zeta)));
}

EquatorialPosition PrecessPosition(const EquatorialPosition &position, double fromJulianDate,
                                   double toJulianDate)
{
    const double cosDeclination = std::cos(position.declination);
    const std::array<double, 3> from = {cosDeclination * std::cos(position.rightAscension),
                                        cosDeclination * std::sin(position.rightAscension),
                                        std::sin(position.declination)};
    const Matrix3 matrix = PrecessionMatrix76(fromJulianDate, toJulianDate);
    std::array<double, 3> to{};
    for (int row = 0; row < 3; ++row)
        for (int k = 0; k < 3; ++k)
            to[row] += matrix[row][k] * from[k];

    double rightAscension = std::atan2(to[1], to[0]);
    if (rightAscension < 0.0)
        rightAscension += 2.0 * std::numbers::pi;
    // A tiny negative angle becomes exactly 2 pi when shifted; the range excludes 2 pi.
    if (rightAscension >= 2.0 * std::numbers::pi)
        rightAscension = 0.0;
    const double declination = std::atan2(to[2], std::hypot(to[0], to[1]));
    return {rightAscension, declination};
}

} // namespace precession
