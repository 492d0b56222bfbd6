// SPDX-License-Identifier: GPL-3.0-or-later
#include "horizon.h"

#include "sidereal.h"

#include <cmath>
#include <numbers>

namespace astro {

namespace {

constexpr double RADIANS_PER_DEGREE = std::numbers::pi / 180.0;
constexpr double RADIANS_PER_HOUR = std::numbers::pi / 12.0;

std::string_view withoutLeadingBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

// ParseLeadingNumber reads 0 from a text without a number; a declination must not.
bool beginsWithNumber(std::string_view text)
{
    text = withoutLeadingBlanks(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// x reduced to 0 (inclusive) .. period (exclusive), also for negative x.
double reduced(double x, double period)
{
    double r = x - std::floor(x / period) * period;
    // Rounding can give period itself for a tiny negative x.
    if (r >= period)
        r -= period;
    return r;
}

} // namespace

double EastWestHourAngleHours(double hourAngleHours)
{
    const double west = reduced(hourAngleHours, HOURS_PER_DAY);
    return west >= HOURS_PER_DAY / 2.0 ? west - HOURS_PER_DAY : west;
}

double SiderealHoursToTransit(double hourAngleHours)
{
    const double west = reduced(hourAngleHours, HOURS_PER_DAY);
    return west == 0.0 ? 0.0 : HOURS_PER_DAY - west;
}

double CivilSecondsToTransit(double hourAngleHours)
{
    return SiderealHoursToTransit(hourAngleHours) / SIDEREAL_PER_CIVIL * SECONDS_PER_HOUR;
}

HorizontalPosition HorizontalFromHourAngle(double latitudeDegrees, double declinationDegrees,
                                           double hourAngleHours)
{
    const double phi = latitudeDegrees * RADIANS_PER_DEGREE;
    const double delta = declinationDegrees * RADIANS_PER_DEGREE;
    const double h = hourAngleHours * RADIANS_PER_HOUR;
    // The object's direction in the horizon frame: north, east and zenith components.
    const double north =
        std::sin(delta) * std::cos(phi) - std::cos(h) * std::cos(delta) * std::sin(phi);
    const double east = -std::sin(h) * std::cos(delta);
    const double up =
        std::cos(h) * std::cos(delta) * std::cos(phi) + std::sin(delta) * std::sin(phi);
    const double horizontal = std::hypot(north, east);

    HorizontalPosition position;
    position.altitudeDegrees = std::atan2(up, horizontal) / RADIANS_PER_DEGREE;
    // Below a nanoradian the direction along the horizon is rounding noise.
    position.azimuthDegrees =
        horizontal < 1e-9 ? 0.0 : reduced(std::atan2(east, north) / RADIANS_PER_DEGREE, 360.0);
    return position;
}

Culmination UpperCulmination(double latitudeDegrees, double declinationDegrees)
{
    Culmination culmination;
    culmination.altitudeDegrees = 90.0 - std::abs(latitudeDegrees - declinationDegrees);
    const double lowerAltitudeDegrees = std::abs(latitudeDegrees + declinationDegrees) - 90.0;
    if (culmination.altitudeDegrees < 0.0)
        culmination.circle = DailyCircle::NeverRises;
    else if (lowerAltitudeDegrees > 0.0)
        culmination.circle = DailyCircle::Circumpolar;
    else
        culmination.circle = DailyCircle::RisesAndSets;
    return culmination;
}

std::optional<double> DeclinationDegrees(std::string_view degrees, std::string_view arcMinutes,
                                         std::string_view arcSeconds)
{
    if (!beginsWithNumber(degrees) || !beginsWithNumber(arcMinutes) ||
        !beginsWithNumber(arcSeconds))
        return std::nullopt;
    const bool south = withoutLeadingBlanks(degrees).front() == '-';
    const double magnitude = SexagesimalSum(std::abs(ParseLeadingNumber(degrees)),
                                            std::abs(ParseLeadingNumber(arcMinutes)),
                                            std::abs(ParseLeadingNumber(arcSeconds)));
    if (!(magnitude <= 90.0))
        return std::nullopt;
    return south ? -magnitude : magnitude;
}

} // namespace astro
