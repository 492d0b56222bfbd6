// SPDX-License-Identifier: GPL-3.0-or-later
// The night as the plan shows it: events and objects as local wall-clock times against the
// astropy reference of the astro tests, the German reasons for what does not happen, and when a
// summary may be kept.
#include "clock/nightplan.h"
#include "clock/observingplan.h"

#include <QFile>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

const QString REFERENCE_DIR = QStringLiteral(ZENITOR_SOURCE_DIR "/tests/astro/data/");
const QString TIME_FORMAT = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QStringList tableLines(const QString &name)
{
    QFile file(REFERENCE_DIR + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(2);
}

QDateTime wallClock(const QString &text)
{
    const QDateTime parsed = QDateTime::fromString(text, TIME_FORMAT);
    return QDateTime(parsed.date(), parsed.time(), Qt::UTC);
}

// A reference cell: a local time within tolerance seconds, or no time at all.
void compareLocal(const std::optional<QDateTime> &got, const QString &want, qint64 tolerance)
{
    if (!want.at(0).isDigit()) {
        // The message is built before the check, so it must not read an empty got.
        QVERIFY2(!got, qPrintable(QStringLiteral("want none (") + want + QStringLiteral("), got ") +
                                  (got ? got->toString(TIME_FORMAT) : QString())));
        return;
    }
    QVERIFY2(got, qPrintable(QStringLiteral("want ") + want + QStringLiteral(", got none")));
    const qint64 error = wallClock(want).secsTo(*got);
    QVERIFY2(std::abs(error) <= tolerance,
             qPrintable(QStringLiteral("want %1, got %2").arg(want, got->toString(TIME_FORMAT))));
}

const NightEvent *eventNamed(const NightSummary &summary, const QString &name)
{
    const QHash<QString, const NightEvent *> events{
        {QStringLiteral("sunset"), &summary.sunset},
        {QStringLiteral("civilDusk"), &summary.civilDusk},
        {QStringLiteral("nauticalDusk"), &summary.nauticalDusk},
        {QStringLiteral("astronomicalDusk"), &summary.astronomicalDusk},
        {QStringLiteral("astronomicalDawn"), &summary.astronomicalDawn},
        {QStringLiteral("nauticalDawn"), &summary.nauticalDawn},
        {QStringLiteral("civilDawn"), &summary.civilDawn},
        {QStringLiteral("sunrise"), &summary.sunrise},
        {QStringLiteral("moonrise"), &summary.moonrise},
        {QStringLiteral("moonset"), &summary.moonset},
    };
    return events.value(name);
}

NightSummary summaryOf(const QStringList &fields)
{
    return computeNightSummary(fields[3].toDouble(), fields[4].toDouble(), wallClock(fields[1]),
                               fields[2] == QStringLiteral("1"));
}

} // namespace

class TestNightPlan : public QObject
{
    Q_OBJECT
private slots:
    void summaryAgainstReference_data();
    void summaryAgainstReference();
    void objectsAgainstReference_data();
    void objectsAgainstReference();
    void reasonsForWhatDoesNotHappen();
    void summaryHoldsForItsNightOnly_data();
    void summaryHoldsForItsNightOnly();
    void brokenRecordsKeepTheirReason();
    void longitudeBeyondDoublesGivesNoTimes();
};

// Every quantity of a reference night, grouped per night so each summary is computed once.
void TestNightPlan::summaryAgainstReference_data()
{
    QTest::addColumn<QList<QStringList>>("rows");
    QMap<QString, QList<QStringList>> nights;
    QStringList order;
    for (const QString &line : tableLines(QStringLiteral("night-reference.tsv"))) {
        const QStringList fields = line.split(u'\t');
        if (!nights.contains(fields[0]))
            order.append(fields[0]);
        nights[fields[0]].append(fields);
    }
    QVERIFY(!order.isEmpty());
    for (const QString &name : order)
        QTest::newRow(qPrintable(name)) << nights[name];
}

void TestNightPlan::summaryAgainstReference()
{
    QFETCH(QList<QStringList>, rows);
    const NightSummary summary = summaryOf(rows.first());
    for (const QStringList &fields : rows) {
        const QString &quantity = fields[5];
        const QString &want = fields[6];
        if (const NightEvent *event = eventNamed(summary, quantity)) {
            const bool isMoon = quantity.startsWith(QStringLiteral("moon"));
            compareLocal(event->localTime, want, isMoon ? 180 : 60);
            // Every missing event says why; an event with a time says nothing.
            QCOMPARE(event->reason.isEmpty(), event->localTime.has_value());
        } else if (quantity == QStringLiteral("illuminatedPercent")) {
            QVERIFY2(std::abs(summary.moon.illuminatedPercent - want.toDouble()) <= 1.0,
                     qPrintable(QString::number(summary.moon.illuminatedPercent)));
        } else if (quantity == QStringLiteral("waxing")) {
            QCOMPARE(summary.moon.waxing, want == QStringLiteral("1"));
        }
    }
    QVERIFY(summary.nightStart.time() == QTime(12, 0));
    QCOMPARE(summary.nightStart.secsTo(summary.nightEnd), 86400);
}

void TestNightPlan::objectsAgainstReference_data()
{
    QTest::addColumn<QStringList>("fields");
    for (const QString &line : tableLines(QStringLiteral("night-objects-reference.tsv"))) {
        const QStringList fields = line.split(u'\t');
        QTest::newRow(qPrintable(fields[0] + QStringLiteral(": ") + fields[5])) << fields;
    }
}

// The object goes through the plan exactly as a list record does.
void TestNightPlan::objectsAgainstReference()
{
    QFETCH(QStringList, fields);
    PlanInput input;
    input.records = {QStringList{fields[5], fields[6], fields[7], QString()}};
    input.longitudeDegrees = fields[3].toDouble();
    input.latitudeDegrees = fields[4].toDouble();
    input.localTime = wallClock(fields[1]);
    input.daylightSaving = fields[2] == QStringLiteral("1");
    const QList<PlanRow> rows = computePlan(input);
    const NightSummary summary = summaryOf(fields);
    const QList<NightObject> objects = computeNightObjects(summary, input, rows);
    QCOMPARE(objects.size(), 1);
    const NightObject &object = objects.first();
    compareLocal(object.rise, fields[8], 5);
    compareLocal(object.set, fields[9], 5);
    compareLocal(object.bestTime, fields[10], 60);
    if (object.bestTime)
        QVERIFY(std::abs(object.bestAltitudeDegrees - fields[11].toDouble()) <= 0.25);
    else
        QVERIFY(!object.bestReason.isEmpty());
    QVERIFY(object.moonDistanceDegrees);
    QVERIFY2(std::abs(*object.moonDistanceDegrees - fields[12].toDouble()) <= 0.2,
             qPrintable(QString::number(*object.moonDistanceDegrees)));
}

void TestNightPlan::reasonsForWhatDoesNotHappen()
{
    const QDateTime december = wallClock(QStringLiteral("2026-12-15 22:00:00"));
    const NightSummary polarNight = computeNightSummary(15.63, 78.22, december, false);
    QCOMPARE(polarNight.sunset.reason, QStringLiteral("Polarnacht"));
    QCOMPARE(polarNight.sunrise.reason, QStringLiteral("Polarnacht"));
    QCOMPARE(polarNight.civilDusk.reason, QStringLiteral("Sonne bleibt unter -6°"));
    QVERIFY(polarNight.darknessStart && polarNight.darknessEnd);

    const QDateTime june = wallClock(QStringLiteral("2026-06-15 23:00:00"));
    const NightSummary midnightSun = computeNightSummary(15.63, 78.22, june, true);
    QCOMPARE(midnightSun.sunset.reason, QStringLiteral("Mitternachtssonne"));
    QCOMPARE(midnightSun.astronomicalDusk.reason, QStringLiteral("keine astronomische Dunkelheit"));
    QCOMPARE(midnightSun.darknessKind, astro::Darkness::None);
    QCOMPARE(midnightSun.darknessReason, QStringLiteral("keine nautische Dunkelheit"));
    QVERIFY(!midnightSun.darknessStart && !midnightSun.darknessEnd);

    PlanInput input;
    input.records = {QStringList{"Polarstern", "03:20:00", "89:22:00", ""},
                     QStringList{"Kreuz des Südens", "12:30:00", "-60:00:00", ""}};
    input.longitudeDegrees = 15.63;
    input.latitudeDegrees = 78.22;
    input.localTime = june;
    input.daylightSaving = true;
    const QList<PlanRow> rows = computePlan(input);
    const QList<NightObject> objects = computeNightObjects(midnightSun, input, rows);
    QCOMPARE(objects.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const bool polaris = rows[i].name == QStringLiteral("Polarstern");
        QCOMPARE(objects[i].riseSetReason,
                 polaris ? QStringLiteral("zirkumpolar") : QStringLiteral("geht nie auf"));
        QVERIFY(!objects[i].rise && !objects[i].set && !objects[i].bestTime);
        QCOMPARE(objects[i].bestReason, QStringLiteral("keine nautische Dunkelheit"));
    }

    // Berlin in June: a white night; the best time falls in the nautical darkness.
    const NightSummary whiteNight =
        computeNightSummary(13.41, 52.52, wallClock(QStringLiteral("2026-06-20 23:30:00")), true);
    QCOMPARE(whiteNight.darknessKind, astro::Darkness::Nautical);
    QCOMPARE(whiteNight.darknessReason, QStringLiteral("keine astronomische Dunkelheit"));
    QCOMPARE(whiteNight.darknessStart, whiteNight.nauticalDusk.localTime);
}

void TestNightPlan::summaryHoldsForItsNightOnly_data()
{
    QTest::addColumn<QString>("later");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<bool>("summerTime");
    QTest::addColumn<bool>("holds");
    QTest::newRow("a second later") << "2026-12-08 23:30:01" << 13.41 << false << true;
    QTest::newRow("after midnight, same night") << "2026-12-09 02:00:00" << 13.41 << false << true;
    QTest::newRow("a second before noon") << "2026-12-09 11:59:59" << 13.41 << false << true;
    QTest::newRow("noon starts the next night") << "2026-12-09 12:00:00" << 13.41 << false << false;
    QTest::newRow("the afternoon before") << "2026-12-08 11:00:00" << 13.41 << false << false;
    QTest::newRow("Sommerzeit ticked") << "2026-12-08 23:30:00" << 13.41 << true << false;
    QTest::newRow("another site") << "2026-12-08 23:30:00" << 9.99 << false << false;
}

void TestNightPlan::summaryHoldsForItsNightOnly()
{
    QFETCH(QString, later);
    QFETCH(double, longitude);
    QFETCH(bool, summerTime);
    QFETCH(bool, holds);
    const NightSummary summary =
        computeNightSummary(13.41, 52.52, wallClock(QStringLiteral("2026-12-08 23:30:00")), false);
    QCOMPARE(nightSummaryHolds(summary, longitude, 52.52, wallClock(later), summerTime), holds);
    QVERIFY(!nightSummaryHolds(NightSummary{}, 13.41, 52.52, wallClock(later), false));
}

void TestNightPlan::brokenRecordsKeepTheirReason()
{
    PlanInput input;
    input.records = {QStringList{"Ohne Rektaszension", "xx", "10:00:00", ""},
                     QStringList{"Ohne Deklination", "05:00:00", "yy", ""},
                     QStringList{"M 42", "05:36:46", "-05:22:00", ""}};
    input.longitudeDegrees = 13.41;
    input.latitudeDegrees = 52.52;
    input.localTime = wallClock(QStringLiteral("2026-12-08 23:30:00"));
    const QList<PlanRow> rows = computePlan(input);
    const NightSummary summary = computeNightSummary(13.41, 52.52, input.localTime, false);
    const QList<NightObject> objects = computeNightObjects(summary, input, rows);
    QCOMPARE(objects.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].name == QStringLiteral("M 42")) {
            QVERIFY(objects[i].rise && objects[i].set && objects[i].bestTime);
            QVERIFY(objects[i].riseSetReason.isEmpty());
        } else {
            QVERIFY(!objects[i].rise && !objects[i].moonDistanceDegrees);
            QCOMPARE(objects[i].riseSetReason, rows[i].emptyReason);
            QVERIFY(!objects[i].riseSetReason.isEmpty());
        }
    }
}

// A site text may read as an infinite longitude: no crash, no hang, no made-up times.
void TestNightPlan::longitudeBeyondDoublesGivesNoTimes()
{
    const double infinite = std::numeric_limits<double>::infinity();
    PlanInput input;
    input.records = {QStringList{"M 42", "05:36:46", "-05:22:00", ""}};
    input.longitudeDegrees = infinite;
    input.latitudeDegrees = 52.52;
    input.localTime = wallClock(QStringLiteral("2026-12-08 23:30:00"));
    const NightSummary summary = computeNightSummary(infinite, 52.52, input.localTime, false);
    for (const NightEvent *event : {&summary.sunset, &summary.sunrise, &summary.moonrise})
        QVERIFY(!event->localTime);
    const QList<NightObject> objects = computeNightObjects(summary, input, computePlan(input));
    QCOMPARE(objects.size(), 1);
    QVERIFY(!objects[0].rise && !objects[0].set && !objects[0].bestTime);
    QVERIFY(!objects[0].moonDistanceDegrees);
}

QTEST_GUILESS_MAIN(TestNightPlan)
#include "tst_nightplan.moc"
