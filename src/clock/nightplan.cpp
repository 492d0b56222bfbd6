// SPDX-License-Identifier: GPL-3.0-or-later
#include "nightplan.h"

#include <cmath>

namespace {

constexpr int SECONDS_PER_HOUR = 3600;

int offsetSeconds(bool daylightSaving)
{
    return (daylightSaving ? 2 : 1) * SECONDS_PER_HOUR;
}

// The wall-clock reading as UTC Unix seconds, whatever zone the QDateTime claims; whole
// seconds, as the clock reads them, so the plan's hour angle belongs to exactly this instant.
double utcOfLocal(const QDateTime &localTime, bool daylightSaving)
{
    const QDateTime wallClock(localTime.date(), localTime.time(), Qt::UTC);
    return static_cast<double>(wallClock.toSecsSinceEpoch() - offsetSeconds(daylightSaving));
}

QDateTime localOfUtc(double utcSeconds, bool daylightSaving)
{
    return QDateTime::fromSecsSinceEpoch(std::llround(utcSeconds) + offsetSeconds(daylightSaving),
                                         Qt::UTC);
}

std::optional<QDateTime> localOfUtc(std::optional<double> utcSeconds, bool daylightSaving)
{
    if (!utcSeconds)
        return std::nullopt;
    return localOfUtc(*utcSeconds, daylightSaving);
}

// German reasons for a missing event, by what the body did instead.
struct Reasons
{
    QString alwaysAbove;
    QString alwaysBelow;
};

const QString NOT_TONIGHT = QStringLiteral("nicht in dieser Nacht");

NightEvent nightEvent(const astro::Crossing &crossing, bool daylightSaving, const Reasons &reasons)
{
    NightEvent event;
    event.outcome = crossing.outcome;
    event.localTime = localOfUtc(crossing.utcSeconds, daylightSaving);
    switch (crossing.outcome) {
    case astro::CrossingOutcome::Crosses:
        break;
    case astro::CrossingOutcome::AlwaysAbove:
        event.reason = reasons.alwaysAbove;
        break;
    case astro::CrossingOutcome::AlwaysBelow:
        event.reason = reasons.alwaysBelow;
        break;
    case astro::CrossingOutcome::OtherWayOnly:
        event.reason = NOT_TONIGHT;
        break;
    }
    return event;
}

Reasons twilightReasons(const QString &kind, int degrees)
{
    return {QStringLiteral("keine %1 Dunkelheit").arg(kind),
            QStringLiteral("Sonne bleibt unter -%1°").arg(degrees)};
}

MoonNow moonNow(const astro::SkyOfDate &sky, double utcSeconds, const astro::Site &site)
{
    const astro::MoonView view = sky.moon(utcSeconds, site);
    MoonNow moon;
    moon.illuminatedPercent = 100.0 * view.illuminatedFraction;
    moon.waxing = view.waxing;
    moon.altitudeDegrees = view.topocentricAltitudeDegrees;
    moon.direction = view.topocentricEquinox2030;
    return moon;
}

} // namespace

NightSummary computeNightSummary(double longitudeDegrees, double latitudeDegrees,
                                 const QDateTime &localTime, bool daylightSaving)
{
    const double utc = utcOfLocal(localTime, daylightSaving);
    const double offsetHours = offsetSeconds(daylightSaving) / double(SECONDS_PER_HOUR);
    const astro::Site site{longitudeDegrees, latitudeDegrees};

    NightSummary summary;
    summary.longitudeDegrees = longitudeDegrees;
    summary.latitudeDegrees = latitudeDegrees;
    summary.daylightSaving = daylightSaving;
    // One sky for the whole night, taken at its middle (local midnight).
    const astro::TimeSpan span = astro::NightSpanFor(utc, offsetHours);
    summary.sky = std::make_shared<const astro::SkyOfDate>((span.startUtc + span.endUtc) / 2.0);
    summary.events = astro::ComputeNightEvents(*summary.sky, site, utc, offsetHours);
    const astro::NightEvents &events = summary.events;
    summary.nightStart = localOfUtc(events.span.startUtc, daylightSaving);
    summary.nightEnd = localOfUtc(events.span.endUtc, daylightSaving);

    const Reasons sun{QStringLiteral("Mitternachtssonne"), QStringLiteral("Polarnacht")};
    const Reasons civil = twilightReasons(QStringLiteral("bürgerliche"), 6);
    const Reasons nautical = twilightReasons(QStringLiteral("nautische"), 12);
    const Reasons astronomical = twilightReasons(QStringLiteral("astronomische"), 18);
    const Reasons moon{QStringLiteral("Mond geht nicht unter"),
                       QStringLiteral("Mond geht nicht auf")};
    summary.sunset = nightEvent(events.sunset, daylightSaving, sun);
    summary.civilDusk = nightEvent(events.civilDusk, daylightSaving, civil);
    summary.nauticalDusk = nightEvent(events.nauticalDusk, daylightSaving, nautical);
    summary.astronomicalDusk = nightEvent(events.astronomicalDusk, daylightSaving, astronomical);
    summary.astronomicalDawn = nightEvent(events.astronomicalDawn, daylightSaving, astronomical);
    summary.nauticalDawn = nightEvent(events.nauticalDawn, daylightSaving, nautical);
    summary.civilDawn = nightEvent(events.civilDawn, daylightSaving, civil);
    summary.sunrise = nightEvent(events.sunrise, daylightSaving, sun);
    summary.moonrise = nightEvent(events.moonrise, daylightSaving, moon);
    summary.moonset = nightEvent(events.moonset, daylightSaving, moon);

    summary.darknessKind = events.darknessKind;
    if (events.darkness) {
        summary.darknessStart = localOfUtc(events.darkness->startUtc, daylightSaving);
        summary.darknessEnd = localOfUtc(events.darkness->endUtc, daylightSaving);
    }
    if (events.darknessKind == astro::Darkness::Nautical)
        summary.darknessReason = astronomical.alwaysAbove;
    else if (events.darknessKind == astro::Darkness::None)
        summary.darknessReason = nautical.alwaysAbove;

    summary.moon = moonNow(*summary.sky, utc, site);
    return summary;
}

bool nightSummaryHolds(const NightSummary &summary, double longitudeDegrees, double latitudeDegrees,
                       const QDateTime &localTime, bool daylightSaving)
{
    if (!summary.sky || summary.longitudeDegrees != longitudeDegrees ||
        summary.latitudeDegrees != latitudeDegrees || summary.daylightSaving != daylightSaving)
        return false;
    const double utc = utcOfLocal(localTime, daylightSaving);
    return utc >= summary.events.span.startUtc && utc < summary.events.span.endUtc;
}

MoonNow moonAt(const NightSummary &summary, const QDateTime &localTime)
{
    if (!summary.sky)
        return {};
    return moonNow(*summary.sky, utcOfLocal(localTime, summary.daylightSaving),
                   {summary.longitudeDegrees, summary.latitudeDegrees});
}

QList<NightObject> computeNightObjects(const NightSummary &summary, const PlanInput &input,
                                       const QList<PlanRow> &rows)
{
    QList<NightObject> objects;
    objects.reserve(rows.size());
    if (!summary.sky) {
        objects.resize(rows.size());
        return objects;
    }
    const bool summer = input.daylightSaving;
    const double utc = utcOfLocal(input.localTime, summer);
    const MoonNow moon = moonAt(summary, input.localTime);
    const double localSidereal =
        planLocalSiderealHours(input.localTime, summer, input.longitudeDegrees);

    for (const PlanRow &row : rows) {
        NightObject object;
        if (!row.hasHourAngle || !row.declinationDegrees) {
            object.riseSetReason = row.emptyReason;
            objects.append(object);
            continue;
        }
        const astro::ObjectNight night =
            astro::ObjectInNight(summary.events, *row.declinationDegrees, row.hourAngleHours, utc);
        object.rise = localOfUtc(night.riseUtc, summer);
        object.set = localOfUtc(night.setUtc, summer);
        if (night.circle == astro::DailyCircle::Circumpolar)
            object.riseSetReason = QStringLiteral("zirkumpolar");
        else if (night.circle == astro::DailyCircle::NeverRises)
            object.riseSetReason = QStringLiteral("geht nie auf");
        if (night.bestUtc) {
            object.bestTime = localOfUtc(*night.bestUtc, summer);
            object.bestAltitudeDegrees = night.bestAltitudeDegrees;
        } else {
            object.bestReason = summary.darknessKind == astro::Darkness::None
                                    ? summary.darknessReason
                                    : QStringLiteral("im Dunkeln unter dem Horizont");
        }
        // The right ascension back from the plan's own hour angle, in the lists' equinox.
        const double rightAscension = localSidereal - row.hourAngleHours;
        const double distance = astro::AngularDistanceDegrees(
            moon.direction,
            astro::DirectionFromEquatorial(rightAscension, *row.declinationDegrees));
        if (std::isfinite(distance))
            object.moonDistanceDegrees = distance;
        objects.append(object);
    }
    return objects;
}
