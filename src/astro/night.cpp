// SPDX-License-Identifier: GPL-3.0-or-later
#include "night.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace astro {

namespace {

constexpr double RADIANS_PER_DEGREE = std::numbers::pi / 180.0;
constexpr double HALF_DAY_SECONDS = SECONDS_PER_DAY / 2.0;

double reduced(double x, double period)
{
    double r = x - std::floor(x / period) * period;
    if (r >= period)
        r -= period;
    return r;
}

// Civil seconds from an hour angle until the hour angle next equals target (both hours).
double secondsUntilHourAngle(double hourAngleHours, double targetHours)
{
    return reduced(targetHours - hourAngleHours, HOURS_PER_DAY) / SIDEREAL_PER_CIVIL *
           SECONDS_PER_HOUR;
}

Crossing crossingAt(double utcSeconds)
{
    return {CrossingOutcome::Crosses, utcSeconds};
}

} // namespace

CrossingSearch::CrossingSearch(std::function<double(double)> valueAt, TimeSpan span,
                               double stepSeconds)
    : m_valueAt(std::move(valueAt))
{
    const double length = span.endUtc - span.startUtc;
    const int steps = std::max(1, static_cast<int>(std::ceil(length / stepSeconds)));
    m_times.reserve(steps + 1);
    m_values.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        // The last sample lies on the span's end, whatever the step.
        const double t = i == steps ? span.endUtc : span.startUtc + i * stepSeconds;
        m_times.push_back(t);
        m_values.push_back(m_valueAt(t));
    }
}

double CrossingSearch::refine(double threshold, double before, double after) const
{
    const bool aboveBefore = m_valueAt(before) >= threshold;
    while (after - before > CROSSING_PRECISION_SECONDS) {
        const double middle = (before + after) / 2.0;
        if ((m_valueAt(middle) >= threshold) == aboveBefore)
            before = middle;
        else
            after = middle;
    }
    return (before + after) / 2.0;
}

Crossing CrossingSearch::first(double threshold, bool downward, double fromUtc) const
{
    bool anyAbove = false;
    bool anyBelow = false;
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        const bool above = m_values[i] >= threshold;
        (above ? anyAbove : anyBelow) = true;
        if (i == 0 || m_times[i] <= fromUtc)
            continue;
        const bool abovePrevious = m_values[i - 1] >= threshold;
        if (abovePrevious == downward && above != downward)
            return crossingAt(refine(threshold, m_times[i - 1], m_times[i]));
    }
    if (!anyBelow)
        return {CrossingOutcome::AlwaysAbove, std::nullopt};
    if (!anyAbove)
        return {CrossingOutcome::AlwaysBelow, std::nullopt};
    return {CrossingOutcome::OtherWayOnly, std::nullopt};
}

Crossing CrossingSearch::firstDownward(double threshold) const
{
    return first(threshold, true, m_times.front());
}

Crossing CrossingSearch::firstUpward(double threshold) const
{
    return first(threshold, false, m_times.front());
}

std::optional<TimeSpan> CrossingSearch::firstStretchBelow(double threshold) const
{
    TimeSpan stretch{m_times.front(), m_times.back()};
    if (m_values.front() >= threshold) {
        const Crossing down = firstDownward(threshold);
        if (!down.utcSeconds)
            return std::nullopt;
        stretch.startUtc = *down.utcSeconds;
    }
    const Crossing up = first(threshold, false, stretch.startUtc);
    if (up.utcSeconds)
        stretch.endUtc = *up.utcSeconds;
    return stretch;
}

TimeSpan NightSpanFor(double utcSeconds, double utcOffsetHours)
{
    const double offsetSeconds = utcOffsetHours * SECONDS_PER_HOUR;
    const double local = utcSeconds + offsetSeconds;
    const double midnight = std::floor(local / SECONDS_PER_DAY) * SECONDS_PER_DAY;
    double noon = midnight + HALF_DAY_SECONDS;
    if (local < noon)
        noon -= SECONDS_PER_DAY;
    return {noon - offsetSeconds, noon - offsetSeconds + SECONDS_PER_DAY};
}

NightEvents ComputeNightEvents(const SkyOfDate &sky, const Site &site, double utcSeconds,
                               double utcOffsetHours)
{
    NightEvents night;
    night.site = site;
    night.utcOffsetHours = utcOffsetHours;
    night.span = NightSpanFor(utcSeconds, utcOffsetHours);

    const CrossingSearch sun([&sky, &site](double t) { return sky.sunAltitudeDegrees(t, site); },
                             night.span);
    night.sunset = sun.firstDownward(SUNRISE_ALTITUDE_DEGREES);
    night.civilDusk = sun.firstDownward(CIVIL_TWILIGHT_ALTITUDE_DEGREES);
    night.nauticalDusk = sun.firstDownward(NAUTICAL_TWILIGHT_ALTITUDE_DEGREES);
    night.astronomicalDusk = sun.firstDownward(ASTRONOMICAL_TWILIGHT_ALTITUDE_DEGREES);
    night.astronomicalDawn = sun.firstUpward(ASTRONOMICAL_TWILIGHT_ALTITUDE_DEGREES);
    night.nauticalDawn = sun.firstUpward(NAUTICAL_TWILIGHT_ALTITUDE_DEGREES);
    night.civilDawn = sun.firstUpward(CIVIL_TWILIGHT_ALTITUDE_DEGREES);
    night.sunrise = sun.firstUpward(SUNRISE_ALTITUDE_DEGREES);

    night.darkness = sun.firstStretchBelow(ASTRONOMICAL_TWILIGHT_ALTITUDE_DEGREES);
    if (night.darkness) {
        night.darknessKind = Darkness::Astronomical;
    } else {
        night.darkness = sun.firstStretchBelow(NAUTICAL_TWILIGHT_ALTITUDE_DEGREES);
        night.darknessKind = night.darkness ? Darkness::Nautical : Darkness::None;
    }

    // The rise and set altitude follows the Moon's distance, so search the difference.
    const CrossingSearch moon(
        [&sky, &site](double t) {
            const MoonView view = sky.moon(t, site);
            return view.geocentricAltitudeDegrees -
                   MoonRiseSetAltitudeDegrees(view.horizontalParallaxDegrees);
        },
        night.span);
    night.moonrise = moon.firstUpward(0.0);
    night.moonset = moon.firstDownward(0.0);
    return night;
}

ObjectNight ObjectInNight(const NightEvents &night, double declinationDegrees,
                          double hourAngleHours, double hourAngleUtc)
{
    const double latitude = night.site.latitudeDegrees;
    const auto hourAngleAt = [&](double utc) {
        return hourAngleHours + (utc - hourAngleUtc) / SECONDS_PER_HOUR * SIDEREAL_PER_CIVIL;
    };
    const auto altitudeAt = [&](double utc) {
        return HorizontalFromHourAngle(latitude, declinationDegrees, hourAngleAt(utc))
            .altitudeDegrees;
    };

    ObjectNight object;
    object.circle = UpperCulmination(latitude, declinationDegrees).circle;
    // A longitude or hour angle beyond doubles (a typed "1e999") has no times to give.
    if (!std::isfinite(hourAngleHours) || !std::isfinite(hourAngleUtc))
        return object;
    const double start = night.span.startUtc;
    if (object.circle == DailyCircle::RisesAndSets) {
        // Semi-diurnal arc: cos H = -tan(latitude) tan(declination) at altitude 0.
        const double phi = latitude * RADIANS_PER_DEGREE;
        const double delta = declinationDegrees * RADIANS_PER_DEGREE;
        const double cosArc = std::clamp(-std::tan(phi) * std::tan(delta), -1.0, 1.0);
        const double arcHours = std::acos(cosArc) / RADIANS_PER_DEGREE / 15.0;
        const double startHourAngle = hourAngleAt(start);
        // A sidereal day is shorter than the span, so both happen within it.
        object.riseUtc = start + secondsUntilHourAngle(startHourAngle, -arcHours);
        object.setUtc = start + secondsUntilHourAngle(startHourAngle, arcHours);
    }

    if (night.darkness) {
        // The altitude rises towards an upper transit and falls after it, so the highest point
        // of the dark hours is one of their ends or a transit within them.
        const TimeSpan dark = *night.darkness;
        double best = dark.startUtc;
        double bestAltitude = altitudeAt(best);
        const auto consider = [&](double utc) {
            const double altitude = altitudeAt(utc);
            if (altitude > bestAltitude) {
                best = utc;
                bestAltitude = altitude;
            }
        };
        consider(dark.endUtc);
        for (double transit = dark.startUtc + secondsUntilHourAngle(hourAngleAt(dark.startUtc), 0);
             transit < dark.endUtc;
             transit += HOURS_PER_DAY / SIDEREAL_PER_CIVIL * SECONDS_PER_HOUR)
            consider(transit);
        if (bestAltitude >= 0.0) {
            object.bestUtc = best;
            object.bestAltitudeDegrees = bestAltitude;
        }
    }
    return object;
}

} // namespace astro
