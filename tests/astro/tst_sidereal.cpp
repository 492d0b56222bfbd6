// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sidereal.h"

#include <QTest>

#include <cmath>
#include <limits>

using astro::CivilDateTime;
using astro::SplitTime;

Q_DECLARE_METATYPE(CivilDateTime)
Q_DECLARE_METATYPE(SplitTime)

namespace {

QString text(const CivilDateTime &t)
{
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                             t.minute, t.second);
}

QString text(const SplitTime &s)
{
    return QString::asprintf("%d h %d m %d s", s.hours, s.minutes, s.seconds);
}

void compareNear(double got, double want, double tolerance)
{
    QVERIFY2(std::abs(got - want) <= tolerance,
             qPrintable(
                 QString::asprintf("want %.12f, got %.12f (tolerance %g)", want, got, tolerance)));
}

} // namespace

class TestSidereal : public QObject
{
    Q_OBJECT
private slots:
    void workedCases_data();
    void workedCases();
    void greenwichRollsBack_data();
    void greenwichRollsBack();
    void modifiedJulianDate_data();
    void modifiedJulianDate();
    void greenwichSiderealTime_data();
    void greenwichSiderealTime();
    void localSiderealReduction_data();
    void localSiderealReduction();
    void hourAngle_data();
    void hourAngle();
    void split_data();
    void split();
    void parseLeadingNumber_data();
    void parseLeadingNumber();
    void overflowingEntriesStayReadable();
};

void TestSidereal::workedCases_data()
{
    QTest::addColumn<CivilDateTime>("local");
    QTest::addColumn<bool>("summerTime");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("raH");
    QTest::addColumn<double>("raM");
    QTest::addColumn<double>("raS");
    QTest::addColumn<CivilDateTime>("greenwich");
    QTest::addColumn<SplitTime>("sidereal");
    QTest::addColumn<SplitTime>("hourAngle");

    QTest::newRow("J2000 noon at Greenwich")
        << CivilDateTime{2000, 1, 1, 13, 0, 0} << false << 0.0 << 0.0 << 0.0 << 0.0
        << CivilDateTime{2000, 1, 1, 12, 0, 0} << SplitTime{18, 41, 50} << SplitTime{18, 41, 50};
    QTest::newRow("December evening at 13.4 E, RA 5:34:32")
        << CivilDateTime{2026, 12, 8, 23, 30, 0} << false << 13.4 << 5.0 << 34.0 << 32.0
        << CivilDateTime{2026, 12, 8, 22, 30, 0} << SplitTime{4, 34, 21} << SplitTime{22, 59, 49};
    QTest::newRow("summer time rolls back into June at 10 W")
        << CivilDateTime{2026, 7, 1, 0, 30, 0} << true << -10.0 << 18.0 << 36.0 << 56.0
        << CivilDateTime{2026, 6, 30, 22, 30, 0} << SplitTime{16, 26, 0} << SplitTime{21, 49, 4};
    QTest::newRow("1 March rolls back into February (y-1, m+12)")
        << CivilDateTime{2026, 3, 1, 0, 30, 0} << false << 7.5 << 0.0 << 0.0 << 0.0
        << CivilDateTime{2026, 2, 28, 23, 30, 0} << SplitTime{10, 35, 10} << SplitTime{10, 35, 10};
}

void TestSidereal::workedCases()
{
    QFETCH(CivilDateTime, local);
    QFETCH(bool, summerTime);
    QFETCH(double, longitude);
    QFETCH(double, raH);
    QFETCH(double, raM);
    QFETCH(double, raS);
    QFETCH(CivilDateTime, greenwich);
    QFETCH(SplitTime, sidereal);
    QFETCH(SplitTime, hourAngle);

    const astro::SiderealReadings r =
        astro::ComputeSiderealReadings(local, summerTime, longitude, raH, raM, raS);
    QCOMPARE(text(r.local), text(local));
    QCOMPARE(text(r.greenwich), text(greenwich));
    QCOMPARE(text(r.siderealSplit), text(sidereal));
    QCOMPARE(text(r.hourAngleSplit), text(hourAngle));
    compareNear(r.rightAscensionHours, raH + raM / 60 + raS / 3600, 1e-12);
}

void TestSidereal::greenwichRollsBack_data()
{
    QTest::addColumn<CivilDateTime>("local");
    QTest::addColumn<bool>("summerTime");
    QTest::addColumn<CivilDateTime>("greenwich");
    QTest::newRow("year") << CivilDateTime{2026, 1, 1, 0, 30, 0} << false
                          << CivilDateTime{2025, 12, 31, 23, 30, 0};
    QTest::newRow("leap day") << CivilDateTime{2024, 3, 1, 1, 59, 59} << true
                              << CivilDateTime{2024, 2, 29, 23, 59, 59};
    QTest::newRow("same day") << CivilDateTime{2026, 6, 15, 2, 0, 0} << true
                              << CivilDateTime{2026, 6, 15, 0, 0, 0};
}

void TestSidereal::greenwichRollsBack()
{
    QFETCH(CivilDateTime, local);
    QFETCH(bool, summerTime);
    QFETCH(CivilDateTime, greenwich);
    QCOMPARE(text(astro::GreenwichFromLocal(local, summerTime)), text(greenwich));
}

void TestSidereal::modifiedJulianDate_data()
{
    QTest::addColumn<CivilDateTime>("greenwich");
    QTest::addColumn<double>("mjd");
    // Reference values: MJD 0 is 1858-11-17 0 h; the calendar from there on by day count.
    QTest::newRow("J2000.0") << CivilDateTime{2000, 1, 1, 12, 0, 0} << 51544.5;
    QTest::newRow("MJD epoch") << CivilDateTime{1858, 11, 17, 0, 0, 0} << 0.0;
    QTest::newRow("last day of February 2026, minutes as a fraction")
        << CivilDateTime{2026, 2, 28, 23, 30, 0} << 61099.0 + 23.5 / 24;
    QTest::newRow("leap day 2024 with seconds")
        << CivilDateTime{2024, 2, 29, 6, 0, 36} << 60369.0 + (6 + 36 / 3600.0) / 24;
    QTest::newRow("new year's eve 2025")
        << CivilDateTime{2025, 12, 31, 23, 30, 0} << 61040.0 + 23.5 / 24;
    QTest::newRow("1 March 1900, no leap day in 1900")
        << CivilDateTime{1900, 3, 1, 0, 0, 0} << 15079.0;
}

void TestSidereal::modifiedJulianDate()
{
    QFETCH(CivilDateTime, greenwich);
    QFETCH(double, mjd);
    compareNear(astro::ModifiedJulianDate(greenwich.year, greenwich.month, greenwich.day,
                                          greenwich.hour, greenwich.minute, greenwich.second),
                mjd, 1e-9);
}

void TestSidereal::greenwichSiderealTime_data()
{
    QTest::addColumn<double>("mjd");
    QTest::addColumn<double>("hours");
    // Meeus, Astronomical Algorithms, example 12.a: 1987 April 10, 0 h UT, 13h10m46.3668s.
    QTest::newRow("1987-04-10 0h UT (before 2000, negative G)")
        << 46895.0 << 13 + 10 / 60.0 + 46.3668 / 3600;
    QTest::newRow("J2000.0: 18.697374558 h") << 51544.5 << 18.697374558;
}

void TestSidereal::greenwichSiderealTime()
{
    QFETCH(double, mjd);
    QFETCH(double, hours);
    const double got = astro::GreenwichSiderealHours(mjd);
    compareNear(got, hours, 1e-6);
    QVERIFY(got >= 0 && got < 24);
}

void TestSidereal::localSiderealReduction_data()
{
    QTest::addColumn<double>("greenwich");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("local");
    QTest::newRow("past 24 h east") << 23.5 << 15.0 << 0.5;
    QTest::newRow("below 0 h west") << 0.2 << -10.0 << 0.2 - 10.0 / 15 + 24;
    QTest::newRow("exactly 24 h is not reduced") << 12.0 << 180.0 << 24.0;
    QTest::newRow("far beyond 180 E reduces only once") << 20.0 << 300.0 << 16.0;
}

void TestSidereal::localSiderealReduction()
{
    QFETCH(double, greenwich);
    QFETCH(double, longitude);
    QFETCH(double, local);
    compareNear(astro::LocalSiderealHours(greenwich, longitude), local, 1e-12);
}

void TestSidereal::hourAngle_data()
{
    QTest::addColumn<double>("local");
    QTest::addColumn<double>("ra");
    QTest::addColumn<double>("hourAngle");
    QTest::newRow("object west of the meridian") << 6.0 << 5.5 << 0.5;
    QTest::newRow("object east wraps to below 24") << 4.0 << 5.0 << 23.0;
    QTest::newRow("on the meridian") << 5.0 << 5.0 << 0.0;
    QTest::newRow("RA beyond L + 24 goes negative") << 0.5 << 25.0 << -0.5;
}

void TestSidereal::hourAngle()
{
    QFETCH(double, local);
    QFETCH(double, ra);
    QFETCH(double, hourAngle);
    compareNear(astro::HourAngleHours(local, ra), hourAngle, 1e-12);
}

void TestSidereal::split_data()
{
    QTest::addColumn<double>("hours");
    QTest::addColumn<SplitTime>("split");
    QTest::newRow("cut off, never rounded") << 5.0 - 1e-6 << SplitTime{4, 59, 59};
    QTest::newRow("negative uses floor") << -0.5 << SplitTime{-1, 30, 0};
    QTest::newRow("25.5 loses 24 once") << 25.5 << SplitTime{1, 30, 0};
    QTest::newRow("exactly 24") << 24.0 << SplitTime{0, 0, 0};
    QTest::newRow("zero") << 0.0 << SplitTime{0, 0, 0};
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << SplitTime{};
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << SplitTime{};
    QTest::newRow("beyond int range") << 1e300 << SplitTime{};
}

void TestSidereal::split()
{
    QFETCH(double, hours);
    QFETCH(SplitTime, split);
    QCOMPARE(text(astro::SplitHours(hours)), text(split));
}

void TestSidereal::parseLeadingNumber_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<double>("value");
    QTest::newRow("comma ends the number") << "13,5" << 13.0;
    QTest::newRow("text behind the number") << "7.25 Ost" << 7.25;
    QTest::newRow("negative") << "-10" << -10.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("begins with a letter") << "Ost 7" << 0.0;
    QTest::newRow("leading blanks") << "   42" << 42.0;
    QTest::newRow("plus sign") << "+3.5" << 3.5;
    QTest::newRow("no digit before the point") << ".5" << 0.5;
    QTest::newRow("negative fraction") << "-.25" << -0.25;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("second point ends the number") << "1.2.3" << 1.2;
    QTest::newRow("blank inside ends the number") << "1 2" << 1.0;
    QTest::newRow("no exponent") << "2e3" << 2.0;
    QTest::newRow("leading zeros") << "007" << 7.0;
}

void TestSidereal::parseLeadingNumber()
{
    QFETCH(QString, entry);
    QFETCH(double, value);
    compareNear(astro::ParseLeadingNumber(entry.toStdString()), value, 1e-12);
}

void TestSidereal::overflowingEntriesStayReadable()
{
    const std::string huge(400, '9');
    QVERIFY(std::isinf(astro::ParseLeadingNumber(huge)));
    QVERIFY(astro::ParseLeadingNumber("-" + huge) < 0);
    QCOMPARE(astro::ParseLeadingNumber("0." + std::string(400, '0') + "1"), 0.0);

    const astro::SiderealReadings r = astro::ComputeSiderealReadings(
        {2026, 12, 8, 23, 30, 0}, false, astro::ParseLeadingNumber(huge), 0, 0, 0);
    QCOMPARE(text(r.siderealSplit), text(SplitTime{}));
    QCOMPARE(text(r.hourAngleSplit), text(SplitTime{}));
}

QTEST_APPLESS_MAIN(TestSidereal)
#include "tst_sidereal.moc"
