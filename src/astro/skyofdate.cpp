// SPDX-License-Identifier: GPL-3.0-or-later
#include "skyofdate.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <numbers>

// ERFA's declarations take no const; the functions used here only read their inputs, so the
// const_casts below never lead to a write.

namespace astro {

namespace {

constexpr double RADIANS_PER_DEGREE = std::numbers::pi / 180.0;
// The equatorial radius of the WGS84 ellipsoid (metres), the Earth radius of the parallax.
constexpr double EARTH_EQUATORIAL_RADIUS_METRES = 6378137.0;
constexpr double JULIAN_EPOCH_2030 = 2030.0;

// A Julian Date as ERFA's two-part date: the Unix epoch and the days since it.
struct TwoPartDate
{
    double whole;
    double fraction;
};

TwoPartDate utcDate(double utcSeconds)
{
    return {UNIX_EPOCH_JD, utcSeconds / SECONDS_PER_DAY};
}

TwoPartDate ttDate(double utcSeconds)
{
    return {UNIX_EPOCH_JD, (utcSeconds + TT_MINUS_UTC_SECONDS) / SECONDS_PER_DAY};
}

double greenwichMeanSidereal(double utcSeconds)
{
    const TwoPartDate ut = utcDate(utcSeconds);
    const TwoPartDate tt = ttDate(utcSeconds);
    return eraGmst06(ut.whole, ut.fraction, tt.whole, tt.fraction);
}

// Altitude (degrees) of a direction in the true equator of date, for the local apparent
// sidereal time (radians) and latitude (radians).
double altitudeOfDate(const double ofDate[3], double localSidereal, double latitude)
{
    double rightAscension = 0;
    double declination = 0;
    eraC2s(const_cast<double *>(ofDate), &rightAscension, &declination);
    double azimuth = 0;
    double altitude = 0;
    eraHd2ae(localSidereal - rightAscension, declination, latitude, &azimuth, &altitude);
    return altitude / RADIANS_PER_DEGREE;
}

UnitVector unit(const double p[3])
{
    const double length = eraPm(const_cast<double *>(p));
    return {p[0] / length, p[1] / length, p[2] / length};
}

} // namespace

SkyOfDate::SkyOfDate(double utcSeconds) : m_nodeUtc(utcSeconds)
{
    for (int node = 0; node < 3; ++node) {
        const TwoPartDate tt = ttDate(utcSeconds + (node - 1) * SECONDS_PER_DAY);
        double heliocentric[2][3];
        double barycentric[2][3];
        eraEpv00(tt.whole, tt.fraction, heliocentric, barycentric);
        for (int i = 0; i < 3; ++i) {
            m_sunNodes[node][i] = -heliocentric[0][i];
            m_velocityNodes[node][i] = barycentric[1][i];
        }
    }
    const TwoPartDate ut = utcDate(utcSeconds);
    const TwoPartDate tt = ttDate(utcSeconds);
    eraPnm06a(tt.whole, tt.fraction, m_trueOfDate);
    m_equationOfEquinoxes = eraGst06a(ut.whole, ut.fraction, tt.whole, tt.fraction) -
                            eraGmst06(ut.whole, ut.fraction, tt.whole, tt.fraction);
    double epoch1 = 0;
    double epoch2 = 0;
    eraEpj2jd(JULIAN_EPOCH_2030, &epoch1, &epoch2);
    eraPmat06(epoch1, epoch2, m_equinox2030);
}

void SkyOfDate::sunAndEarthVelocity(double utcSeconds, double sun[3], double velocity[3]) const
{
    const double x = (utcSeconds - m_nodeUtc) / SECONDS_PER_DAY;
    if (std::abs(x) > 1.0) {
        const TwoPartDate tt = ttDate(utcSeconds);
        double heliocentric[2][3];
        double barycentric[2][3];
        eraEpv00(tt.whole, tt.fraction, heliocentric, barycentric);
        for (int i = 0; i < 3; ++i) {
            sun[i] = -heliocentric[0][i];
            velocity[i] = barycentric[1][i];
        }
        return;
    }
    // Lagrange weights of the nodes at -1, 0 and +1 day.
    const double weights[3] = {x * (x - 1.0) / 2.0, 1.0 - x * x, x * (x + 1.0) / 2.0};
    for (int i = 0; i < 3; ++i) {
        sun[i] = 0.0;
        velocity[i] = 0.0;
        for (int node = 0; node < 3; ++node) {
            sun[i] += weights[node] * m_sunNodes[node][i];
            velocity[i] += weights[node] * m_velocityNodes[node][i];
        }
    }
}

double SkyOfDate::sunAltitudeDegrees(double utcSeconds, const Site &site) const
{
    double geometric[3];
    double velocity[3];
    sunAndEarthVelocity(utcSeconds, geometric, velocity);
    // The Sun seen from the Earth, shifted by the annual aberration: v / c in first order.
    double sun[3];
    const double distance = eraPm(geometric);
    for (int i = 0; i < 3; ++i)
        sun[i] = geometric[i] / distance + velocity[i] / ERFA_DC;
    double ofDate[3];
    eraRxp(const_cast<double(*)[3]>(m_trueOfDate), sun, ofDate);
    const double localSidereal = greenwichMeanSidereal(utcSeconds) + m_equationOfEquinoxes +
                                 site.longitudeDegrees * RADIANS_PER_DEGREE;
    return altitudeOfDate(ofDate, localSidereal, site.latitudeDegrees * RADIANS_PER_DEGREE);
}

MoonView SkyOfDate::moon(double utcSeconds, const Site &site) const
{
    const TwoPartDate tt = ttDate(utcSeconds);
    double moonPv[2][3];
    eraMoon98(tt.whole, tt.fraction, moonPv);
    double sun[3];
    double velocity[3];
    sunAndEarthVelocity(utcSeconds, sun, velocity);

    MoonView view{};
    const double distanceAu = eraPm(moonPv[0]);
    view.distanceKilometres = distanceAu * ERFA_DAU / 1000.0;
    view.horizontalParallaxDegrees =
        std::asin(EARTH_EQUATORIAL_RADIUS_METRES / (distanceAu * ERFA_DAU)) / RADIANS_PER_DEGREE;

    // Phase from the Earth's centre: the angle at the Moon between the Sun and the Earth.
    double moonToSun[3];
    double moonToEarth[3];
    for (int i = 0; i < 3; ++i) {
        moonToSun[i] = sun[i] - moonPv[0][i];
        moonToEarth[i] = -moonPv[0][i];
    }
    const double phaseAngle = eraSepp(moonToSun, moonToEarth);
    view.illuminatedFraction = (1.0 + std::cos(phaseAngle)) / 2.0;
    // Waxing while the Moon's ecliptic longitude runs ahead of the Sun's by less than 180°:
    // the Sun-to-Moon turn about the ecliptic pole is positive.
    const double obliquity = eraObl06(tt.whole, tt.fraction);
    const double eclipticPole[3] = {0.0, -std::sin(obliquity), std::cos(obliquity)};
    double turn[3];
    eraPxp(sun, moonPv[0], turn);
    view.waxing = eraPdp(turn, const_cast<double *>(eclipticPole)) > 0.0;

    // To the true equator of date, then from the Earth's centre to the site.
    double ofDate[3];
    eraRxp(const_cast<double(*)[3]>(m_trueOfDate), moonPv[0], ofDate);
    const double longitude = site.longitudeDegrees * RADIANS_PER_DEGREE;
    const double latitude = site.latitudeDegrees * RADIANS_PER_DEGREE;
    const double localSidereal =
        greenwichMeanSidereal(utcSeconds) + m_equationOfEquinoxes + longitude;
    view.geocentricAltitudeDegrees = altitudeOfDate(ofDate, localSidereal, latitude);

    // Left at the Earth's centre should ERFA refuse a latitude beyond a pole.
    double siteItrs[3] = {0.0, 0.0, 0.0};
    eraGd2gc(ERFA_WGS84, 0.0, latitude, 0.0, siteItrs);
    const double siteAxial = std::hypot(siteItrs[0], siteItrs[1]) / ERFA_DAU;
    const double siteOfDate[3] = {siteAxial * std::cos(localSidereal),
                                  siteAxial * std::sin(localSidereal), siteItrs[2] / ERFA_DAU};
    double topocentric[3];
    eraPmp(ofDate, const_cast<double *>(siteOfDate), topocentric);
    view.topocentricAltitudeDegrees = altitudeOfDate(topocentric, localSidereal, latitude);

    // Back to the GCRS axes and on to the mean equinox 2030.0 of the lists.
    double gcrs[3];
    eraTrxp(const_cast<double(*)[3]>(m_trueOfDate), topocentric, gcrs);
    double list2030[3];
    eraRxp(const_cast<double(*)[3]>(m_equinox2030), gcrs, list2030);
    view.topocentricEquinox2030 = unit(list2030);
    return view;
}

UnitVector DirectionFromEquatorial(double rightAscensionHours, double declinationDegrees)
{
    double p[3];
    eraS2c(rightAscensionHours * 15.0 * RADIANS_PER_DEGREE, declinationDegrees * RADIANS_PER_DEGREE,
           p);
    return {p[0], p[1], p[2]};
}

double AngularDistanceDegrees(const UnitVector &a, const UnitVector &b)
{
    double pa[3] = {a.x, a.y, a.z};
    double pb[3] = {b.x, b.y, b.z};
    return eraSepp(pa, pb) / RADIANS_PER_DEGREE;
}

double MoonRiseSetAltitudeDegrees(double horizontalParallaxDegrees)
{
    return 0.7275 * horizontalParallaxDegrees - 0.5667;
}

} // namespace astro
