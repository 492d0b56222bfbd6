// SPDX-License-Identifier: GPL-3.0-or-later
// The IAU 1976 precession against published reference values: ERFA's own test
// values for eraPrec76 and eraPmat76 (t_erfa_c.c), and the worked example 21.b
// and the exercise on p. 136 of J. Meeus, "Astronomical Algorithms", 2nd ed.
#include "precession.h"

#include <QTest>

#include <cmath>

using namespace precession;

namespace {

using astro::MJD_ZERO_JD;

bool isNear(double got, double want, double tolerance, const char *what)
{
    if (std::fabs(got - want) <= tolerance)
        return true;
    qWarning("%s: want %.17g got %.17g (difference %.3g, tolerance %.3g)", what, want, got,
             got - want, tolerance);
    return false;
}

double hoursFromParts(double hours, double minutes, double seconds)
{
    return hours + minutes / 60.0 + seconds / 3600.0;
}

} // namespace

class TestPrecession : public QObject
{
    Q_OBJECT

private slots:
    void anglesMatchErfa();
    void matrixFromJ2000MatchesErfa();
    void precessedPositionMatchesMeeus_data();
    void precessedPositionMatchesMeeus();
    void julianEpoch2030IsJulianDate2462502_5();
};

void TestPrecession::anglesMatchErfa()
{
    // eraPrec76(2400000.5, 33282.0, 2400000.5, 51544.0), tolerance 1e-12 rad as in ERFA.
    const PrecessionAngles angles =
        PrecessionAngles76(MJD_ZERO_JD + 33282.0, MJD_ZERO_JD + 51544.0);
    QVERIFY(isNear(angles.zeta, 0.5588961642000161243e-2, 1e-12, "zeta"));
    QVERIFY(isNear(angles.z, 0.5589922365870680624e-2, 1e-12, "z"));
    QVERIFY(isNear(angles.theta, 0.4858945471687296760e-2, 1e-12, "theta"));
}

void TestPrecession::matrixFromJ2000MatchesErfa()
{
    // eraPmat76(2400000.5, 50123.9999), tolerance 1e-12 as in ERFA.
    const Matrix3 want = {
        {{0.9999995504328350733, 0.8696632209480960785e-3, 0.3779153474959888345e-3},
         {-0.8696632209485112192e-3, 0.9999996218428560614, -0.1643284776111886407e-6},
         {-0.3779153474950335077e-3, -0.1643306746147366896e-6, 0.9999999285899790119}}};
    const Matrix3 got = PrecessionMatrix76(J2000_JD, MJD_ZERO_JD + 50123.9999);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            QVERIFY2(isNear(got[row][column], want[row][column], 1e-12, "matrix element"),
                     qPrintable(QStringLiteral("row %1, column %2").arg(row).arg(column)));
}

void TestPrecession::precessedPositionMatchesMeeus_data()
{
    // J2000.0 position with its proper motion per Julian year; the target date;
    // Meeus's result. Tolerances are half a unit of his last printed digit plus
    // a little for his own rounding of intermediate values.
    QTest::addColumn<double>("rightAscensionHours");
    QTest::addColumn<double>("declinationDegrees");
    QTest::addColumn<double>("properMotionSecondsOfTime");
    QTest::addColumn<double>("properMotionArcSeconds");
    QTest::addColumn<double>("toJulianDate");
    QTest::addColumn<double>("wantRightAscensionHours");
    QTest::addColumn<double>("wantDeclinationDegrees");
    QTest::addColumn<double>("toleranceSecondsOfTime");
    QTest::addColumn<double>("toleranceArcSeconds");

    const double thetaPerseiRa = hoursFromParts(2, 44, 11.986);
    const double thetaPerseiDec = hoursFromParts(49, 13, 42.48);
    QTest::newRow("theta Persei to 2028 Nov 13.19 (example 21.b)")
        << thetaPerseiRa << thetaPerseiDec << 0.03425 << -0.0895 << 2462088.69
        << hoursFromParts(2, 46, 11.331) << hoursFromParts(49, 20, 54.54) << 0.001 << 0.01;

    // Polaris, 44 arc minutes from the pole, where right ascension moves fast.
    const double polarisRa = hoursFromParts(2, 31, 48.704);
    const double polarisDec = hoursFromParts(89, 15, 50.72);
    QTest::newRow("Polaris back to B1900.0 (exercise p. 136)")
        << polarisRa << polarisDec << 0.19877 << -0.0152 << 2415020.3135
        << hoursFromParts(1, 22, 33.90) << hoursFromParts(88, 46, 26.18) << 0.01 << 0.01;
    QTest::newRow("Polaris to J2050.0 (exercise p. 136)")
        << polarisRa << polarisDec << 0.19877 << -0.0152 << 2469807.5
        << hoursFromParts(3, 48, 16.43) << hoursFromParts(89, 27, 15.38) << 0.01 << 0.01;
    QTest::newRow("Polaris to J2100.0 (exercise p. 136)")
        << polarisRa << polarisDec << 0.19877 << -0.0152 << 2488070.0
        << hoursFromParts(5, 53, 29.17) << hoursFromParts(89, 32, 22.18) << 0.01 << 0.01;
}

void TestPrecession::precessedPositionMatchesMeeus()
{
    QFETCH(double, rightAscensionHours);
    QFETCH(double, declinationDegrees);
    QFETCH(double, properMotionSecondsOfTime);
    QFETCH(double, properMotionArcSeconds);
    QFETCH(double, toJulianDate);
    QFETCH(double, wantRightAscensionHours);
    QFETCH(double, wantDeclinationDegrees);
    QFETCH(double, toleranceSecondsOfTime);
    QFETCH(double, toleranceArcSeconds);

    // Meeus applies the proper motion linearly in J2000 coordinates first.
    const double years = (toJulianDate - J2000_JD) / DAYS_PER_JULIAN_YEAR;
    const EquatorialPosition moved{
        (rightAscensionHours + years * properMotionSecondsOfTime / 3600.0) * RADIANS_PER_HOUR,
        (declinationDegrees + years * properMotionArcSeconds / 3600.0) * RADIANS_PER_DEGREE};

    const EquatorialPosition got = PrecessPosition(moved, J2000_JD, toJulianDate);

    const double gotSecondsOfTime = got.rightAscension / RADIANS_PER_HOUR * 3600.0;
    QVERIFY(isNear(gotSecondsOfTime, wantRightAscensionHours * 3600.0, toleranceSecondsOfTime,
                   "right ascension (seconds of time)"));
    const double gotArcSeconds = got.declination / RADIANS_PER_DEGREE * 3600.0;
    QVERIFY(isNear(gotArcSeconds, wantDeclinationDegrees * 3600.0, toleranceArcSeconds,
                   "declination (arc seconds)"));
}

void TestPrecession::julianEpoch2030IsJulianDate2462502_5()
{
    // 30 Julian years of 365.25 days after 2000 January 1.5 TT is 2030 January 1.0 TT.
    QVERIFY(isNear(JulianEpochToJulianDate(2030.0), 2462502.5, 1e-9, "Julian Date"));
}

QTEST_APPLESS_MAIN(TestPrecession)
#include "tst_precession.moc"
