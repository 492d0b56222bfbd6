// SPDX-License-Identifier: GPL-3.0-or-later
// The night picture of one object: the curve it plots against the plan's own values, and what
// it draws, red on black.
#include "astro/horizon.h"
#include "clock/nightplan.h"
#include "support/pixels.h"
#include "ui/plan/planchart.h"

#include <QImage>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

const QDateTime JUNE_NIGHT(QDate(2026, 6, 1), QTime(22, 15, 0));

// A site in Berlin (or one typed by hand, without latitude) and one object whose right
// ascension lies hoursAhead ahead of the local sidereal time, so its transit is that far away.
PlanInput oneObject(double hoursAhead, const char *declination, bool withLatitude = true)
{
    PlanInput input;
    input.longitudeDegrees = 13.41;
    if (withLatitude)
        input.latitudeDegrees = 52.52;
    input.localTime = JUNE_NIGHT;
    input.daylightSaving = true;
    const double sidereal = planLocalSiderealHours(input.localTime, true, 13.41);
    const double rightAscension = std::fmod(sidereal + hoursAhead + 24, 24);
    const int seconds = int(std::lround(rightAscension * 3600)) % 86400;
    const QString text =
        QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
    input.records = {
        {QStringLiteral("Probe"), text, QString::fromLatin1(declination), QStringLiteral("Info")}};
    return input;
}

PlanRow onlyRow(const PlanInput &input)
{
    const QList<PlanRow> rows = computePlan(input);
    if (rows.size() != 1)
        qFatal("the plan has %lld rows", static_cast<long long>(rows.size()));
    return rows.first();
}

QPointF highest(const QList<QPointF> &points)
{
    return *std::max_element(points.cbegin(), points.cend(),
                             [](QPointF a, QPointF b) { return a.y() < b.y(); });
}

} // namespace

class TestPlanChart : public QObject
{
    Q_OBJECT
private slots:
    void altitudeCurvePeaksAtTheTransit_data();
    void altitudeCurvePeaksAtTheTransit();
    void withoutLatitudeTheHourAngleIsPlotted_data();
    void withoutLatitudeTheHourAngleIsPlotted();
    void skyAboveTheHorizonFillsMostOfThePicture();
    void nightShadingAndMoon_data();
    void nightShadingAndMoon();
    void repaintsOnlyWhenThePictureChanges();
    void nightColoursAndCurveOnTheRightSide_data();
    void nightColoursAndCurveOnTheRightSide();
};

void TestPlanChart::altitudeCurvePeaksAtTheTransit_data()
{
    QTest::addColumn<double>("hoursAhead");
    QTest::addColumn<QString>("declination");
    QTest::addColumn<int>("transitsInSpan");
    QTest::addColumn<int>("aboveHorizon"); // 1 always, -1 never, 0 rises and sets

    QTest::newRow("transit in 3 h, rises and sets") << 3.0 << "22:00:00" << 1 << 0;
    QTest::newRow("transit 3 h ago, the next in about 21 h") << -3.0 << "-5:30:00" << 1 << 0;
    QTest::newRow("transit in 17.9 h and the one before it") << 17.9 << "10:00:00" << 1 << 0;
    QTest::newRow("transit 5.99 h ago and again in 17.94 h") << -5.99 << "10:00:00" << 2 << 0;
    QTest::newRow("circumpolar") << 1.0 << "70:00:00" << 1 << 1;
    QTest::newRow("never rises") << 1.0 << "-50:00:00" << 1 << -1;
}

void TestPlanChart::altitudeCurvePeaksAtTheTransit()
{
    QFETCH(double, hoursAhead);
    QFETCH(QString, declination);
    QFETCH(int, transitsInSpan);
    QFETCH(int, aboveHorizon);

    const PlanInput input = oneObject(hoursAhead, declination.toLatin1().constData());
    const PlanRow row = onlyRow(input);
    const PlanChartCurve curve = planChartCurve(input, row, 1441); // one sample a minute

    QVERIFY(curve.altitude);
    QCOMPARE(curve.transitHours.size(), transitsInSpan);
    const double transitAhead = double(row.secondsToTransit) / 3600;
    QVERIFY2(std::any_of(curve.transitHours.cbegin(), curve.transitHours.cend(),
                         [&](double at) { return std::abs(at - transitAhead) < 1e-9; }) ||
                 transitAhead > PlanChartCurve::HOURS_AFTER_NOW,
             "the plan's next transit is marked");
    // The right ascension lies hoursAhead sidereal hours ahead; transits repeat each sidereal day.
    const double siderealDay = 24 / astro::SIDEREAL_PER_CIVIL;
    const double firstAhead = hoursAhead / astro::SIDEREAL_PER_CIVIL;
    for (const double at : curve.transitHours) {
        const double days = std::round((at - firstAhead) / siderealDay);
        QVERIFY2(std::abs(at - firstAhead - days * siderealDay) < 1.0 / 3600,
                 qPrintable(QStringLiteral("transit at %1 h, want %2 h and whole sidereal days")
                                .arg(at)
                                .arg(firstAhead)));
    }

    const QPointF peak = highest(curve.points);
    QVERIFY2(std::abs(peak.y() - row.culmination->altitudeDegrees) < 0.01,
             qPrintable(QStringLiteral("peak %1 deg, culmination %2 deg")
                            .arg(peak.y())
                            .arg(row.culmination->altitudeDegrees)));
    QVERIFY2(std::any_of(curve.transitHours.cbegin(), curve.transitHours.cend(),
                         [&](double at) { return std::abs(at - peak.x()) < 1.5 / 60; }),
             qPrintable(QStringLiteral("peak at %1 h, off every transit").arg(peak.x())));

    // The sample at now is the altitude the table shows.
    const QPointF now = curve.points[360];
    QVERIFY(std::abs(now.x()) < 1e-9);
    QVERIFY2(std::abs(now.y() - row.position->altitudeDegrees) < 1e-6,
             qPrintable(QStringLiteral("now %1 deg, table %2 deg")
                            .arg(now.y())
                            .arg(row.position->altitudeDegrees)));

    const auto lowest = std::min_element(curve.points.cbegin(), curve.points.cend(),
                                         [](QPointF a, QPointF b) { return a.y() < b.y(); });
    if (aboveHorizon > 0)
        QVERIFY(lowest->y() > 0);
    else if (aboveHorizon < 0)
        QVERIFY(peak.y() < 0);
    else
        QVERIFY(lowest->y() < 0 && peak.y() > 0);
}

void TestPlanChart::withoutLatitudeTheHourAngleIsPlotted_data()
{
    QTest::addColumn<QByteArray>("declination");
    QTest::addColumn<bool>("withLatitude");
    QTest::newRow("typed longitude, no latitude") << QByteArray("22:00:00") << false;
    QTest::newRow("malformed declination at a site with latitude") << QByteArray("22:00") << true;
}

void TestPlanChart::withoutLatitudeTheHourAngleIsPlotted()
{
    QFETCH(QByteArray, declination);
    QFETCH(bool, withLatitude);
    const PlanInput input = oneObject(2.0, declination.constData(), withLatitude);
    const PlanRow row = onlyRow(input);
    const PlanChartCurve curve = planChartCurve(input, row, 1441);

    QVERIFY(!curve.altitude);
    QVERIFY(std::abs(curve.points[360].y() - row.eastWestHours) < 1e-6);
    QVERIFY(std::abs(row.eastWestHours + 2.0) < 0.001); // east, two hours before the meridian
    // The meridian is crossed at the transit, from east (negative) to west.
    const auto crossing =
        std::adjacent_find(curve.points.cbegin(), curve.points.cend(),
                           [](QPointF a, QPointF b) { return a.y() < 0 && b.y() >= 0; });
    QVERIFY(crossing != curve.points.cend());
    QVERIFY2(std::abs(crossing->x() - 2.0) < 1.5 / 60,
             qPrintable(QStringLiteral("crosses at %1 h").arg(crossing->x())));

    PlanRow broken = row;
    broken.hasHourAngle = false;
    QVERIFY(planChartCurve(input, broken, 100).points.isEmpty());
}

void TestPlanChart::nightColoursAndCurveOnTheRightSide_data()
{
    QTest::addColumn<double>("hoursAhead");
    QTest::addColumn<bool>("withLatitude");
    QTest::newRow("altitude, transit ahead") << 4.0 << true;
    QTest::newRow("altitude, transit behind") << -4.0 << true;
    QTest::newRow("hour angle only") << 4.0 << false;
}

void TestPlanChart::nightColoursAndCurveOnTheRightSide()
{
    QFETCH(double, hoursAhead);
    QFETCH(bool, withLatitude);

    PlanChart chart;
    chart.resize(600, 240);
    QCOMPARE(firstLightPixel(chart.grab().toImage()), QString());

    const PlanInput input = oneObject(hoursAhead, "40:00:00", withLatitude);
    chart.showObject(input, onlyRow(input));
    const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(firstLightPixel(image), QString());

    // Columns holding the brightest red: the "now" line is the one lit over most of the height.
    const int bright = 150;
    int nowColumn = -1, nowRun = 0;
    for (int x = 0; x < image.width(); ++x) {
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            lit += image.pixelColor(x, y).red() >= bright;
        if (lit > nowRun)
            nowRun = lit, nowColumn = x;
    }
    QVERIFY2(nowRun > image.height() / 2, "a line marks now");
    if (!withLatitude)
        return;
    // The peak of the altitude curve: the highest bright pixel away from the now line and
    // below the labels at the top.
    int peakColumn = -1;
    for (int y = 44; y < image.height() && peakColumn < 0; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (std::abs(x - nowColumn) > 3 && image.pixelColor(x, y).red() >= bright) {
                peakColumn = x;
                break;
            }
    QVERIFY(peakColumn >= 0);
    QVERIFY2(
        (peakColumn > nowColumn) == (hoursAhead > 0),
        qPrintable(QStringLiteral("peak at x %1, now at x %2").arg(peakColumn).arg(nowColumn)));
}

void TestPlanChart::skyAboveTheHorizonFillsMostOfThePicture()
{
    PlanChart chart;
    chart.resize(600, 240);
    const PlanInput input = oneObject(4.0, "40:00:00");
    chart.showObject(input, onlyRow(input));
    const QImage image = chart.grab().toImage();
    // The horizon: the row where the strongest grid red runs furthest.
    const QColor mark(128, 0, 0);
    int horizon = -1, longest = 0, top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x)
            run += image.pixelColor(x, y) == mark;
        if (run > longest)
            longest = run, horizon = y;
        // The frame of the plot: the first and last rows of grid colour across it.
        if (image.pixelColor(image.width() / 2, y) == QColor(56, 0, 0) ||
            image.pixelColor(image.width() / 2, y) == mark) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    QVERIFY(horizon > top && horizon < bottom);
    QVERIFY2(
        horizon - top > 2 * (bottom - horizon),
        qPrintable(QStringLiteral("frame %1-%2, horizon %3").arg(top).arg(bottom).arg(horizon)));
}

void TestPlanChart::nightShadingAndMoon_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("withNight");

    // From 09:00 to 09:00 the next day: day, dusk, darkness and dawn all lie in the picture.
    const QDateTime december(QDate(2026, 12, 8), QTime(15, 0));
    QTest::newRow("December in Berlin, with the night") << december << true;
    QTest::newRow("without the night (no latitude known to the window)") << december << false;
}

void TestPlanChart::nightShadingAndMoon()
{
    QFETCH(QDateTime, now);
    QFETCH(bool, withNight);

    PlanInput input = oneObject(4.0, "40:00:00");
    input.localTime = now;
    input.daylightSaving = false;
    const NightSummary night = computeNightSummary(13.41, 52.52, now, false);
    PlanChart chart;
    chart.resize(700, 260);
    chart.showObject(input, onlyRow(input), withNight ? &night : nullptr);
    const QImage image = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(firstLightPixel(image), QString());
    // Day, civil and nautical twilight fill bands in their red tones; the Moon's dashes have
    // their own. (Without the night a smoothed edge may meet such a tone in a pixel or two.)
    const auto pixelsOf = [&image](const QColor &colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == colour;
        return count;
    };
    QCOMPARE(pixelsOf(QColor(64, 0, 0)) > 1000, withNight);
    QCOMPARE(pixelsOf(QColor(44, 0, 0)) > 300, withNight);
    QCOMPARE(pixelsOf(QColor(28, 0, 0)) > 300, withNight);
    QCOMPARE(pixelsOf(QColor(160, 0, 0)) > 100, withNight);
}

void TestPlanChart::repaintsOnlyWhenThePictureChanges()
{
    struct PaintCounter : QObject
    {
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::Paint;
            return false;
        }
        int count = 0;
    } paints;

    PlanChart chart;
    chart.resize(600, 240);
    chart.installEventFilter(&paints);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    PlanInput input = oneObject(4.0, "40:00:00");
    const int step = chart.secondsPerPixel();
    // At the start of a pixel of the time axis, as the chart reads the local clock.
    const QDateTime wall(input.localTime.date(), input.localTime.time(), Qt::UTC);
    input.localTime = input.localTime.addSecs(-(wall.toSecsSinceEpoch() % step));
    chart.showObject(input, onlyRow(input));
    QTest::qWait(10);
    paints.count = 0;
    for (int second = 1; second < step; ++second) {
        PlanInput later = input;
        later.localTime = input.localTime.addSecs(second);
        chart.showObject(later, onlyRow(later));
    }
    QTest::qWait(10);
    QCOMPARE(paints.count, 0);
    PlanInput next = input;
    next.localTime = input.localTime.addSecs(step);
    chart.showObject(next, onlyRow(next));
    QTRY_VERIFY(paints.count > 0);
    // Nothing chosen: painted once, with the hint.
    paints.count = 0;
    chart.clear();
    chart.clear();
    QTRY_COMPARE(paints.count, 1);
}

QTEST_MAIN(TestPlanChart)
#include "tst_planchart.moc"
