// SPDX-License-Identifier: GPL-3.0-or-later
// The night's events against astropy (make_night_reference.py): Sun and Moon crossings, the
// Moon's phase and altitude, and per object rise, set, best time and distance from the Moon.
#include "astro/horizon.h"
#include "astro/night.h"
#include "astro/sidereal.h"
#include "astro/skyofdate.h"

#include <QDateTime>
#include <QFile>
#include <QHash>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

constexpr double SUN_TOLERANCE_SECONDS = 60.0;
constexpr double MOON_TOLERANCE_SECONDS = 180.0;
constexpr double ILLUMINATION_TOLERANCE_PERCENT = 1.0;
constexpr double MOON_ALTITUDE_TOLERANCE_DEGREES = 0.1;
constexpr double MOON_DISTANCE_TOLERANCE_DEGREES = 0.2;
// Rise and set rest on the same hour-angle model as the reference: the search's precision.
constexpr double OBJECT_TOLERANCE_SECONDS = 5.0;
// A best time at the end of the darkness inherits the Sun's tolerance, and its altitude too.
constexpr double BEST_TOLERANCE_SECONDS = 60.0;
constexpr double BEST_ALTITUDE_TOLERANCE_DEGREES = 0.25;

QStringList tableLines(const char *name)
{
    QFile file(QStringLiteral(ZENITOR_TEST_DATA_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(2);
}

double offsetHours(const QString &summer)
{
    return summer == QStringLiteral("1") ? 2.0 : 1.0;
}

// Unix seconds of a local civil time written "YYYY-MM-DD hh:mm:ss".
double utcOfLocal(const QString &text, double utcOffsetHours)
{
    const QDateTime asUtc(QDate::fromString(text.left(10), Qt::ISODate),
                          QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss")), Qt::UTC);
    return static_cast<double>(asUtc.toSecsSinceEpoch()) - utcOffsetHours * 3600.0;
}

QString localText(double utcSeconds, double utcOffsetHours)
{
    return QDateTime::fromSecsSinceEpoch(std::llround(utcSeconds + utcOffsetHours * 3600.0),
                                         Qt::UTC)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString outcomeName(astro::CrossingOutcome outcome)
{
    switch (outcome) {
    case astro::CrossingOutcome::Crosses:
        return QStringLiteral("Crosses");
    case astro::CrossingOutcome::AlwaysAbove:
        return QStringLiteral("AlwaysAbove");
    case astro::CrossingOutcome::AlwaysBelow:
        return QStringLiteral("AlwaysBelow");
    case astro::CrossingOutcome::OtherWayOnly:
        return QStringLiteral("OtherWayOnly");
    }
    return {};
}

struct ComputedNight
{
    std::unique_ptr<astro::SkyOfDate> sky;
    astro::NightEvents events;
};

// Each reference night is computed once, however many rows ask about it.
const ComputedNight &nightOf(const QStringList &fields)
{
    static QHash<QString, std::shared_ptr<ComputedNight>> nights;
    const QString key = fields.mid(1, 4).join(u'|');
    auto found = nights.find(key);
    if (found == nights.end()) {
        const double offset = offsetHours(fields[2]);
        const double utc = utcOfLocal(fields[1], offset);
        const astro::Site site{fields[3].toDouble(), fields[4].toDouble()};
        auto night = std::make_shared<ComputedNight>();
        night->sky = std::make_unique<astro::SkyOfDate>(utc);
        night->events = astro::ComputeNightEvents(*night->sky, site, utc, offset);
        found = nights.insert(key, night);
    }
    return **found;
}

const astro::Crossing *eventNamed(const astro::NightEvents &night, const QString &name)
{
    const QHash<QString, const astro::Crossing *> events{
        {QStringLiteral("sunset"), &night.sunset},
        {QStringLiteral("civilDusk"), &night.civilDusk},
        {QStringLiteral("nauticalDusk"), &night.nauticalDusk},
        {QStringLiteral("astronomicalDusk"), &night.astronomicalDusk},
        {QStringLiteral("astronomicalDawn"), &night.astronomicalDawn},
        {QStringLiteral("nauticalDawn"), &night.nauticalDawn},
        {QStringLiteral("civilDawn"), &night.civilDawn},
        {QStringLiteral("sunrise"), &night.sunrise},
        {QStringLiteral("moonrise"), &night.moonrise},
        {QStringLiteral("moonset"), &night.moonset},
    };
    return events.value(name);
}

void compareTime(std::optional<double> got, const QString &want, double offset, double tolerance)
{
    if (want == QStringLiteral("keiner")) {
        // The message is built before the check, so it must not read an empty got.
        QVERIFY2(!got, qPrintable(QStringLiteral("want none, got ") +
                                  (got ? localText(*got, offset) : QString())));
        return;
    }
    QVERIFY2(got, qPrintable(QStringLiteral("want ") + want + QStringLiteral(", got none")));
    const double error = *got - utcOfLocal(want, offset);
    QVERIFY2(std::abs(error) <= tolerance,
             qPrintable(QStringLiteral("want %1, got %2 (%3 s off, tolerance %4 s)")
                            .arg(want, localText(*got, offset))
                            .arg(error, 0, 'f', 1)
                            .arg(tolerance)));
}

void compareNear(double got, double want, double tolerance, const char *what)
{
    QVERIFY2(std::abs(got - want) <= tolerance,
             qPrintable(QString::asprintf("%s: want %.4f, got %.4f (tolerance %g)", what, want, got,
                                          tolerance)));
}

} // namespace

class TestNight : public QObject
{
    Q_OBJECT
private slots:
    void sunAndMoon_data();
    void sunAndMoon();
    void objects_data();
    void objects();
    void spanFromNoonToNoon_data();
    void spanFromNoonToNoon();
    void crossingOutcomes();
    void polarOutcomes();
};

void TestNight::sunAndMoon_data()
{
    QTest::addColumn<QStringList>("fields");
    const QStringList lines = tableLines("night-reference.tsv");
    QVERIFY(!lines.isEmpty());
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        QCOMPARE(fields.size(), 7);
        QTest::newRow(qPrintable(fields[0] + QStringLiteral(": ") + fields[5])) << fields;
    }
}

void TestNight::sunAndMoon()
{
    QFETCH(QStringList, fields);
    const ComputedNight &night = nightOf(fields);
    const double offset = offsetHours(fields[2]);
    const double latitude = fields[4].toDouble();
    const QString quantity = fields[5];
    const QString want = fields[6];
    const double utc = utcOfLocal(fields[1], offset);
    const astro::Site site{fields[3].toDouble(), latitude};

    if (const astro::Crossing *event = eventNamed(night.events, quantity)) {
        const bool isMoon = quantity.startsWith(QStringLiteral("moon"));
        if (!want.at(0).isDigit()) {
            QCOMPARE(outcomeName(event->outcome), want);
            QVERIFY(!event->utcSeconds);
            return;
        }
        QCOMPARE(outcomeName(event->outcome), QStringLiteral("Crosses"));
        const double tolerance = isMoon ? MOON_TOLERANCE_SECONDS : SUN_TOLERANCE_SECONDS;
        compareTime(event->utcSeconds, want, offset, tolerance);
        QVERIFY(*event->utcSeconds >= night.events.span.startUtc);
        QVERIFY(*event->utcSeconds < night.events.span.endUtc);
        return;
    }
    const astro::MoonView moon = night.sky->moon(utc, site);
    if (quantity == QStringLiteral("illuminatedPercent"))
        compareNear(100.0 * moon.illuminatedFraction, want.toDouble(),
                    ILLUMINATION_TOLERANCE_PERCENT, "illuminated (%)");
    else if (quantity == QStringLiteral("waxing"))
        QCOMPARE(moon.waxing, want == QStringLiteral("1"));
    else if (quantity == QStringLiteral("moonAltitude"))
        compareNear(moon.topocentricAltitudeDegrees, want.toDouble(),
                    MOON_ALTITUDE_TOLERANCE_DEGREES, "topocentric Moon altitude (deg)");
    else
        QFAIL(qPrintable(QStringLiteral("unknown quantity ") + quantity));
}

void TestNight::objects_data()
{
    QTest::addColumn<QStringList>("fields");
    const QStringList lines = tableLines("night-objects-reference.tsv");
    QVERIFY(!lines.isEmpty());
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        QCOMPARE(fields.size(), 13);
        QTest::newRow(qPrintable(fields[0] + QStringLiteral(": ") + fields[5])) << fields;
    }
}

// The object's hour angle is the clock's, taken at the given local time as the plan takes it.
void TestNight::objects()
{
    QFETCH(QStringList, fields);
    const ComputedNight &night = nightOf(fields);
    const double offset = offsetHours(fields[2]);
    const double utc = utcOfLocal(fields[1], offset);
    const QDateTime local = QDateTime::fromString(fields[1], QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    const QStringList ra = fields[6].split(u':');
    const QStringList dec = fields[7].split(u':');
    const astro::SiderealReadings readings = astro::ComputeSiderealReadings(
        {local.date().year(), local.date().month(), local.date().day(), local.time().hour(),
         local.time().minute(), local.time().second()},
        fields[2] == QStringLiteral("1"), fields[3].toDouble(), ra[0].toDouble(), ra[1].toDouble(),
        ra[2].toDouble());
    const std::optional<double> declination =
        astro::DeclinationDegrees(dec[0].toStdString(), dec[1].toStdString(), dec[2].toStdString());
    QVERIFY(declination);

    const astro::ObjectNight object =
        astro::ObjectInNight(night.events, *declination, readings.hourAngleHours, utc);
    compareTime(object.riseUtc, fields[8], offset, OBJECT_TOLERANCE_SECONDS);
    compareTime(object.setUtc, fields[9], offset, OBJECT_TOLERANCE_SECONDS);
    compareTime(object.bestUtc, fields[10], offset, BEST_TOLERANCE_SECONDS);
    if (object.bestUtc)
        compareNear(object.bestAltitudeDegrees, fields[11].toDouble(),
                    BEST_ALTITUDE_TOLERANCE_DEGREES, "altitude at the best time (deg)");

    const astro::MoonView moon = night.sky->moon(utc, {fields[3].toDouble(), fields[4].toDouble()});
    const double distance = astro::AngularDistanceDegrees(
        moon.topocentricEquinox2030,
        astro::DirectionFromEquatorial(readings.rightAscensionHours, *declination));
    compareNear(distance, fields[12].toDouble(), MOON_DISTANCE_TOLERANCE_DEGREES,
                "Moon distance (deg)");
}

void TestNight::spanFromNoonToNoon_data()
{
    QTest::addColumn<QString>("local");
    QTest::addColumn<double>("offset");
    QTest::addColumn<QString>("noon");
    QTest::newRow("evening") << "2026-12-08 23:30:00" << 1.0 << "2026-12-08 12:00:00";
    QTest::newRow("after midnight: the evening before")
        << "2026-12-09 02:00:00" << 1.0 << "2026-12-08 12:00:00";
    QTest::newRow("just before noon") << "2026-12-09 11:59:59" << 1.0 << "2026-12-08 12:00:00";
    QTest::newRow("noon starts the next night")
        << "2026-12-09 12:00:00" << 1.0 << "2026-12-09 12:00:00";
    QTest::newRow("summer time") << "2026-06-21 01:00:00" << 2.0 << "2026-06-20 12:00:00";
    QTest::newRow("New Year's night") << "2027-01-01 00:30:00" << 1.0 << "2026-12-31 12:00:00";
}

void TestNight::spanFromNoonToNoon()
{
    QFETCH(QString, local);
    QFETCH(double, offset);
    QFETCH(QString, noon);
    const astro::TimeSpan span = astro::NightSpanFor(utcOfLocal(local, offset), offset);
    QCOMPARE(localText(span.startUtc, offset), noon);
    QCOMPARE(span.endUtc - span.startUtc, astro::SECONDS_PER_DAY);
}

// A function with known crossings: each direction's first, and the outcomes without one.
void TestNight::crossingOutcomes()
{
    const astro::TimeSpan span{0.0, 86400.0};
    // Falls through zero at 6 h, rises at 18 h.
    const astro::CrossingSearch wave(
        [](double t) { return std::cos(2.0 * M_PI * t / 86400.0) * 10.0; }, span);
    QVERIFY(std::abs(*wave.firstDownward(0.0).utcSeconds - 21600.0) < 0.1);
    QVERIFY(std::abs(*wave.firstUpward(0.0).utcSeconds - 64800.0) < 0.1);
    QCOMPARE(wave.firstDownward(20.0).outcome, astro::CrossingOutcome::AlwaysBelow);
    QCOMPARE(wave.firstUpward(-20.0).outcome, astro::CrossingOutcome::AlwaysAbove);
    const std::optional<astro::TimeSpan> below = wave.firstStretchBelow(0.0);
    QVERIFY(below);
    QVERIFY(std::abs(below->startUtc - 21600.0) < 0.1);
    QVERIFY(std::abs(below->endUtc - 64800.0) < 0.1);
    QVERIFY(!wave.firstStretchBelow(-20.0));

    // Only rising within the span: no downward crossing, and it says so.
    const astro::CrossingSearch rising([](double t) { return t / 3600.0 - 12.0; }, span);
    QCOMPARE(rising.firstDownward(0.0).outcome, astro::CrossingOutcome::OtherWayOnly);
    QVERIFY(!rising.firstDownward(0.0).utcSeconds);
    QVERIFY(std::abs(*rising.firstUpward(0.0).utcSeconds - 43200.0) < 0.1);
    // Below from the start: the stretch begins with the span.
    const std::optional<astro::TimeSpan> early = rising.firstStretchBelow(0.0);
    QVERIFY(early);
    QCOMPARE(early->startUtc, 0.0);
}

// 78° N: the explicit outcomes of polar night and midnight sun, and what they do to the dark
// hours and the best times.
void TestNight::polarOutcomes()
{
    const astro::Site site{15.63, 78.22};
    const double december = utcOfLocal(QStringLiteral("2026-12-15 22:00:00"), 1.0);
    const astro::SkyOfDate decemberSky(december);
    const astro::NightEvents polarNight =
        astro::ComputeNightEvents(decemberSky, site, december, 1.0);
    QCOMPARE(polarNight.sunset.outcome, astro::CrossingOutcome::AlwaysBelow);
    QCOMPARE(polarNight.sunrise.outcome, astro::CrossingOutcome::AlwaysBelow);
    QCOMPARE(polarNight.civilDusk.outcome, astro::CrossingOutcome::AlwaysBelow);
    QCOMPARE(polarNight.darknessKind, astro::Darkness::Astronomical);

    const double june = utcOfLocal(QStringLiteral("2026-06-15 23:00:00"), 2.0);
    const astro::SkyOfDate juneSky(june);
    const astro::NightEvents midnightSun = astro::ComputeNightEvents(juneSky, site, june, 2.0);
    for (const astro::Crossing *event :
         {&midnightSun.sunset, &midnightSun.sunrise, &midnightSun.civilDusk,
          &midnightSun.nauticalDawn, &midnightSun.astronomicalDusk}) {
        QCOMPARE(event->outcome, astro::CrossingOutcome::AlwaysAbove);
        QVERIFY(!event->utcSeconds);
    }
    QCOMPARE(midnightSun.darknessKind, astro::Darkness::None);
    QVERIFY(!midnightSun.darkness);
    // Without darkness no best time, even for an object high in the sky.
    const astro::ObjectNight polaris = astro::ObjectInNight(midnightSun, 89.3, 3.0, june);
    QCOMPARE(polaris.circle, astro::DailyCircle::Circumpolar);
    QVERIFY(!polaris.riseUtc && !polaris.setUtc && !polaris.bestUtc);

    // Berlin in June: no astronomical darkness, so the nautical night serves.
    const double berlinJune = utcOfLocal(QStringLiteral("2026-06-20 23:30:00"), 2.0);
    const astro::SkyOfDate berlinSky(berlinJune);
    const astro::NightEvents whiteNight =
        astro::ComputeNightEvents(berlinSky, {13.41, 52.52}, berlinJune, 2.0);
    QCOMPARE(whiteNight.darknessKind, astro::Darkness::Nautical);
    QVERIFY(whiteNight.darkness);
    QCOMPARE(whiteNight.darkness->startUtc, *whiteNight.nauticalDusk.utcSeconds);
    QCOMPARE(whiteNight.darkness->endUtc, *whiteNight.nauticalDawn.utcSeconds);
}

QTEST_APPLESS_MAIN(TestNight)
#include "tst_night.moc"
