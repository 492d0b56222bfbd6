// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/horizon.h"
#include "astro/sidereal.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(astro::DailyCircle)

namespace {

void compareNear(double got, double want, double tolerance, const char *what)
{
    QVERIFY2(std::abs(got - want) <= tolerance,
             qPrintable(QString::asprintf("%s: want %.6f, got %.6f (tolerance %g)", what, want, got,
                                          tolerance)));
}

// Azimuths 359.999 and 0.001 are neighbours.
double azimuthDifference(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

QString circleName(astro::DailyCircle circle)
{
    switch (circle) {
    case astro::DailyCircle::RisesAndSets:
        return QStringLiteral("RisesAndSets");
    case astro::DailyCircle::NeverRises:
        return QStringLiteral("NeverRises");
    case astro::DailyCircle::Circumpolar:
        return QStringLiteral("Circumpolar");
    }
    return {};
}

constexpr double ONE_SECOND_OF_TIME_HOURS = 1.0 / 3600.0;
constexpr double ANGLE_TOLERANCE_DEGREES = 0.01;

} // namespace

class TestHorizon : public QObject
{
    Q_OBJECT
private slots:
    void referenceCases_data();
    void referenceCases();
    void eastWestHourAngle_data();
    void eastWestHourAngle();
    void timeToTransit_data();
    void timeToTransit();
    void declinationFromTextParts_data();
    void declinationFromTextParts();
    void culminationOutcomes_data();
    void culminationOutcomes();
    void azimuthWithoutDirectionIsZero();
};

// Cases computed by ERFA (make_horizon_reference.py) at the same mean sidereal time; the
// program's side starts from the local time and the record's texts, as the plan does.
void TestHorizon::referenceCases_data()
{
    QTest::addColumn<QStringList>("fields");
    QFile file(QStringLiteral(ZENITOR_TEST_DATA_DIR "/horizon-reference.tsv"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    int cases = 0;
    for (const QString &line : lines.mid(2)) {
        const QStringList fields = line.split(u'\t');
        QCOMPARE(fields.size(), 13);
        QTest::newRow(qPrintable(fields[0])) << fields;
        ++cases;
    }
    QVERIFY(cases > 0);
}

void TestHorizon::referenceCases()
{
    QFETCH(QStringList, fields);
    const QDateTime local = QDateTime::fromString(fields[1], QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(local.isValid());
    const astro::CivilDateTime civil{local.date().year(),   local.date().month(),
                                     local.date().day(),    local.time().hour(),
                                     local.time().minute(), local.time().second()};
    const bool summer = fields[2] == QStringLiteral("1");
    const double longitude = fields[3].toDouble();
    const double latitude = fields[4].toDouble();
    const QStringList ra = fields[5].split(u':');
    const QStringList dec = fields[6].split(u':');

    const astro::SiderealReadings readings = astro::ComputeSiderealReadings(
        civil, summer, longitude, astro::ParseLeadingNumber(ra[0].toStdString()),
        astro::ParseLeadingNumber(ra[1].toStdString()),
        astro::ParseLeadingNumber(ra[2].toStdString()));
    const std::optional<double> declination =
        astro::DeclinationDegrees(dec[0].toStdString(), dec[1].toStdString(), dec[2].toStdString());
    QVERIFY(declination.has_value());

    compareNear(astro::EastWestHourAngleHours(readings.hourAngleHours), fields[7].toDouble(),
                ONE_SECOND_OF_TIME_HOURS, "hour angle east/west (h)");
    compareNear(astro::CivilSecondsToTransit(readings.hourAngleHours), fields[8].toDouble(), 1.0,
                "time to transit (s)");
    const astro::HorizontalPosition position =
        astro::HorizontalFromHourAngle(latitude, *declination, readings.hourAngleHours);
    compareNear(position.altitudeDegrees, fields[9].toDouble(), ANGLE_TOLERANCE_DEGREES,
                "altitude (deg)");
    const double azimuthWant = fields[10].toDouble();
    QVERIFY2(azimuthDifference(position.azimuthDegrees, azimuthWant) <= ANGLE_TOLERANCE_DEGREES,
             qPrintable(QString::asprintf("azimuth (deg): want %.6f, got %.6f (tolerance %g)",
                                          azimuthWant, position.azimuthDegrees,
                                          ANGLE_TOLERANCE_DEGREES)));
    QVERIFY(position.azimuthDegrees >= 0.0 && position.azimuthDegrees < 360.0);
    const astro::Culmination culmination = astro::UpperCulmination(latitude, *declination);
    compareNear(culmination.altitudeDegrees, fields[11].toDouble(), ANGLE_TOLERANCE_DEGREES,
                "culmination altitude (deg)");
    QCOMPARE(circleName(culmination.circle), fields[12]);
}

void TestHorizon::eastWestHourAngle_data()
{
    QTest::addColumn<double>("hourAngle");
    QTest::addColumn<double>("eastWest");
    QTest::newRow("on the meridian") << 0.0 << 0.0;
    QTest::newRow("one hour west stays positive") << 1.0 << 1.0;
    QTest::newRow("23 h west is one hour east") << 23.0 << -1.0;
    QTest::newRow("12 h counts as east, about to come round") << 12.0 << -12.0;
    QTest::newRow("just below 12 h is still west") << 11.999 << 11.999;
    QTest::newRow("24 h is the meridian again") << 24.0 << 0.0;
    QTest::newRow("negative from an out-of-range entry") << -0.5 << -0.5;
    QTest::newRow("beyond 24 h from a longitude far east") << 25.5 << 1.5;
}

void TestHorizon::eastWestHourAngle()
{
    QFETCH(double, hourAngle);
    QFETCH(double, eastWest);
    compareNear(astro::EastWestHourAngleHours(hourAngle), eastWest, 1e-12, "east/west (h)");
}

void TestHorizon::timeToTransit_data()
{
    QTest::addColumn<double>("hourAngle");
    QTest::addColumn<double>("civilSeconds");
    const double siderealDaySeconds = 86400.0 / astro::SIDEREAL_PER_CIVIL;
    QTest::newRow("exactly on the meridian: transit now") << 0.0 << 0.0;
    QTest::newRow("24 h is the meridian: transit now") << 24.0 << 0.0;
    QTest::newRow("one sidereal hour before") << 23.0 << 3600.0 / astro::SIDEREAL_PER_CIVIL;
    QTest::newRow("a moment after: a sidereal day away")
        << 1e-9 << siderealDaySeconds - 1e-9 * 3600.0 / astro::SIDEREAL_PER_CIVIL;
    QTest::newRow("a moment before, from below zero, never negative")
        << -1e-9 << 1e-9 * 3600.0 / astro::SIDEREAL_PER_CIVIL;
    QTest::newRow("lower culmination: half a sidereal day") << 12.0 << siderealDaySeconds / 2.0;
}

void TestHorizon::timeToTransit()
{
    QFETCH(double, hourAngle);
    QFETCH(double, civilSeconds);
    const double got = astro::CivilSecondsToTransit(hourAngle);
    QVERIFY2(got >= 0.0, qPrintable(QString::asprintf("negative: %.9f", got)));
    compareNear(got, civilSeconds, 1e-6, "civil seconds to transit");
}

void TestHorizon::declinationFromTextParts_data()
{
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<std::optional<double>>("want");
    QTest::newRow("north") << "22"
                           << "00"
                           << "36" << std::optional(22.01);
    QTest::newRow("-0:30:00 is half a degree south") << "-0"
                                                     << "30"
                                                     << "00" << std::optional(-0.5);
    QTest::newRow("-00:41:00 with leading zeros") << "-00"
                                                  << "41"
                                                  << "00" << std::optional(-41.0 / 60.0);
    QTest::newRow("sign applies to minutes and seconds")
        << "-5"
        << "22"
        << "36" << std::optional(-(5 + 22 / 60.0 + 0.01));
    QTest::newRow("blanks around the parts") << " -12 "
                                             << " 30"
                                             << "0 " << std::optional(-12.5);
    QTest::newRow("explicit plus") << "+69"
                                   << "03"
                                   << "00" << std::optional(69.05);
    QTest::newRow("the north pole") << "90"
                                    << "00"
                                    << "00" << std::optional(90.0);
    QTest::newRow("beyond the pole") << "90"
                                     << "00"
                                     << "01" << std::optional<double>();
    QTest::newRow("degrees not a number") << "xx"
                                          << "00"
                                          << "00" << std::optional<double>();
    QTest::newRow("empty minutes") << "10"
                                   << ""
                                   << "00" << std::optional<double>();
    QTest::newRow("sign without digits") << "-"
                                         << "30"
                                         << "00" << std::optional<double>();
}

void TestHorizon::declinationFromTextParts()
{
    QFETCH(QString, degrees);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(std::optional<double>, want);
    const std::optional<double> got = astro::DeclinationDegrees(
        degrees.toStdString(), minutes.toStdString(), seconds.toStdString());
    QCOMPARE(got.has_value(), want.has_value());
    if (want)
        compareNear(*got, *want, 1e-12, "declination (deg)");
}

void TestHorizon::culminationOutcomes_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("declination");
    QTest::addColumn<double>("altitude");
    QTest::addColumn<astro::DailyCircle>("circle");
    QTest::newRow("culminates in the south")
        << 52.5 << 10.0 << 47.5 << astro::DailyCircle::RisesAndSets;
    QTest::newRow("culminates in the north of the zenith")
        << 52.5 << 80.0 << 62.5 << astro::DailyCircle::Circumpolar;
    QTest::newRow("grazes the horizon: still rises")
        << 50.0 << -40.0 << 0.0 << astro::DailyCircle::RisesAndSets;
    QTest::newRow("lower culmination on the horizon: still sets")
        << 50.0 << 40.0 << 80.0 << astro::DailyCircle::RisesAndSets;
    QTest::newRow("never rises") << 50.0 << -45.0 << -5.0 << astro::DailyCircle::NeverRises;
    QTest::newRow("southern sky, circumpolar south")
        << -33.9 << -70.0 << 53.9 << astro::DailyCircle::Circumpolar;
    QTest::newRow("equator: everything rises and sets")
        << 0.0 << 89.0 << 1.0 << astro::DailyCircle::RisesAndSets;
}

void TestHorizon::culminationOutcomes()
{
    QFETCH(double, latitude);
    QFETCH(double, declination);
    QFETCH(double, altitude);
    QFETCH(astro::DailyCircle, circle);
    const astro::Culmination got = astro::UpperCulmination(latitude, declination);
    compareNear(got.altitudeDegrees, altitude, 1e-9, "culmination altitude (deg)");
    QCOMPARE(circleName(got.circle), circleName(circle));
}

void TestHorizon::azimuthWithoutDirectionIsZero()
{
    const astro::HorizontalPosition zenith = astro::HorizontalFromHourAngle(48.0, 48.0, 0.0);
    compareNear(zenith.altitudeDegrees, 90.0, 1e-9, "altitude in the zenith");
    compareNear(zenith.azimuthDegrees, 0.0, 0.0, "azimuth in the zenith");
    const astro::HorizontalPosition pole = astro::HorizontalFromHourAngle(90.0, 90.0, 5.0);
    compareNear(pole.altitudeDegrees, 90.0, 1e-9, "celestial pole from the pole");
    QVERIFY(std::isfinite(pole.azimuthDegrees));
}

QTEST_APPLESS_MAIN(TestHorizon)
#include "tst_horizon.moc"
