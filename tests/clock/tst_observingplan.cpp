// SPDX-License-Identifier: GPL-3.0-or-later
// The plan model: the main window's hour angle, the order by transit, what empties a row's
// heights, and the summer-time check against the system's UTC offset.
#include "astro/sidereal.h"
#include "clock/observingplan.h"
#include "clock/readouttext.h"

#include <QTest>

namespace {

QStringList record(const char *line)
{
    return QString::fromUtf8(line).split(u';');
}

const QDateTime DECEMBER_NIGHT(QDate(2026, 12, 8), QTime(23, 30, 0));

PlanInput berlin(const QList<QStringList> &records)
{
    PlanInput input;
    input.records = records;
    input.longitudeDegrees = 13.41;
    input.latitudeDegrees = 52.52;
    input.localTime = DECEMBER_NIGHT;
    return input;
}

} // namespace

class TestObservingPlan : public QObject
{
    Q_OBJECT
private slots:
    void hourAngleIsTheReadouts_data();
    void hourAngleIsTheReadouts();
    void sortedByNextTransitWithBrokenRecordsLast();
    void brokenRecordsKeepFileOrderInLongPlans();
    void azimuthJustWestOfNorthIsZero();
    void emptyHeightsSayWhy_data();
    void emptyHeightsSayWhy();
    void transitTimeIgnoresZoneChanges();
    void texts_data();
    void texts();
    void summerTimeAgainstSystemOffset_data();
    void summerTimeAgainstSystemOffset();
};

void TestObservingPlan::hourAngleIsTheReadouts_data()
{
    QTest::addColumn<QString>("rightAscension");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<bool>("summerTime");
    QTest::newRow("the worked example, RA 5:34:32 at 13.4 E") << "5:34:32" << 13.4 << false;
    QTest::newRow("summer time at 10 W") << "18:36:56" << -10.0 << true;
    QTest::newRow("fractional seconds and blanks") << " 0:0:0.5 " << 179.9 << false;
    QTest::newRow("far west") << "12:00:00" << -179.9 << true;
}

void TestObservingPlan::hourAngleIsTheReadouts()
{
    QFETCH(QString, rightAscension);
    QFETCH(double, longitude);
    QFETCH(bool, summerTime);
    PlanInput input;
    input.records = {QStringList{"X", rightAscension, "10:00:00", ""}};
    input.longitudeDegrees = longitude;
    input.localTime = DECEMBER_NIGHT;
    input.daylightSaving = summerTime;
    const QList<PlanRow> rows = computePlan(input);
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows[0].hasHourAngle);

    const QStringList parts = rightAscension.trimmed().split(u':');
    const astro::SiderealReadings readout =
        astro::ComputeSiderealReadings(toCivilDateTime(DECEMBER_NIGHT), summerTime, longitude,
                                       astro::ParseLeadingNumber(parts[0].toStdString()),
                                       astro::ParseLeadingNumber(parts[1].toStdString()),
                                       astro::ParseLeadingNumber(parts[2].toStdString()));
    QCOMPARE(rows[0].hourAngleHours, readout.hourAngleHours); // the same computation, exactly
    // The east/west text shows the readout's whole seconds.
    const astro::SplitTime split = readout.hourAngleSplit;
    int seconds = split.hours * 3600 + split.minutes * 60 + split.seconds;
    if (seconds >= 43200)
        seconds -= 86400;
    const QString want =
        (seconds < 0 ? QStringLiteral("-") : QStringLiteral("+")) + durationText(std::abs(seconds));
    QCOMPARE(eastWestText(rows[0].hourAngleHours), want);
}

void TestObservingPlan::sortedByNextTransitWithBrokenRecordsLast()
{
    // LST is about 4 h 34 m: M 45 just crossed, M 42 is next, M 81 later.
    const QList<PlanRow> rows =
        computePlan(berlin({record("Kaputt;5:34;10:00:00;"), record("M 45;03:47:24;24:07:00;"),
                            record("M 81;09:55:33;69:03:55;"), record("Ohne Koordinaten"),
                            record("M 42;05:35:17;-05:23:28;")}));
    QStringList order;
    for (const PlanRow &row : rows)
        order.append(row.name);
    QCOMPARE(order, (QStringList{"M 42", "M 81", "M 45", "Kaputt", "Ohne Koordinaten"}));
    QVERIFY(rows[0].secondsToTransit < rows[1].secondsToTransit);
    QCOMPARE(planDateTimeText(rows[0].transitLocalTime),
             planDateTimeText(DECEMBER_NIGHT.addSecs(rows[0].secondsToTransit)));
    QCOMPARE(rows[3].emptyReason, QStringLiteral("Rektaszension überprüfen"));
}

void TestObservingPlan::brokenRecordsKeepFileOrderInLongPlans()
{
    // Long enough that an unstable sort would shuffle the rows it cannot order.
    QList<QStringList> records;
    QStringList fileOrder;
    for (int i = 0; i < 24; ++i) {
        const QString hours = QString::number((i * 7) % 24);
        records.append({QStringLiteral("Gut %1").arg(i), hours + QStringLiteral(":00:00"),
                        QStringLiteral("10:00:00")});
        const QString broken = QStringLiteral("Kaputt %1").arg(i);
        records.append({broken, QStringLiteral("5:34"), QStringLiteral("10:00:00")});
        fileOrder.append(broken);
    }
    const QList<PlanRow> rows = computePlan(berlin(records));
    QCOMPARE(rows.size(), 48);
    QStringList brokenOrder;
    for (qsizetype i = 24; i < rows.size(); ++i)
        brokenOrder.append(rows[i].name);
    QCOMPARE(brokenOrder, fileOrder);
    for (qsizetype i = 1; i < 24; ++i)
        QVERIFY(rows[i - 1].secondsToTransit <= rows[i].secondsToTransit);
}

void TestObservingPlan::azimuthJustWestOfNorthIsZero()
{
    // Near the pole an object north of the zenith stays within 0.005° west of north for about
    // half a minute after its transit: [0, 360) has no 360.00.
    PlanInput input = berlin({record("Polnah;02:31:49;89:15:00;")});
    input.localTime = computePlan(input).constFirst().transitLocalTime;
    int nearNorth = 0;
    for (int second = 1; second <= 20; ++second) {
        input.localTime = input.localTime.addSecs(1);
        const PlanRow row = computePlan(input).constFirst();
        QVERIFY(row.position);
        const double azimuth = row.position->azimuthDegrees;
        QVERIFY2(azimuth >= 0 && azimuth < 360, qPrintable(QString::number(azimuth, 'f', 6)));
        QVERIFY2(degreesText(azimuth) != QStringLiteral("360.00"),
                 qPrintable(degreesText(azimuth)));
        nearNorth += azimuth == 0 ? 1 : 0;
    }
    QVERIFY(nearNorth > 0);
}

void TestObservingPlan::emptyHeightsSayWhy_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("withLatitude");
    QTest::addColumn<QString>("reason"); ///< empty: altitude, azimuth and culmination are there
    QTest::newRow("complete record at a site with latitude")
        << "M 1;05:35:36;22:01:00;" << true << "";
    QTest::newRow("typed longitude: latitude unknown")
        << "M 1;05:35:36;22:01:00;" << false << "Breite des Standorts unbekannt";
    QTest::newRow("declination of two parts")
        << "M 1;05:35:36;22:01;" << true << "Deklination überprüfen";
    QTest::newRow("declination that is no number")
        << "M 1;05:35:36;xx:01:00;" << true << "Deklination überprüfen";
    QTest::newRow("declination beyond the pole")
        << "M 1;05:35:36;91:00:00;" << true << "Deklination überprüfen";
    QTest::newRow("record without declination field")
        << "M 1;05:35:36" << true << "Datensatz überprüfen";
}

void TestObservingPlan::emptyHeightsSayWhy()
{
    QFETCH(QString, line);
    QFETCH(bool, withLatitude);
    QFETCH(QString, reason);
    PlanInput input = berlin({line.split(u';')});
    if (!withLatitude)
        input.latitudeDegrees.reset();
    const QList<PlanRow> rows = computePlan(input);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].emptyReason, reason);
    QCOMPARE(rows[0].position.has_value(), reason.isEmpty());
    QCOMPARE(rows[0].culmination.has_value(), reason.isEmpty());
}

void TestObservingPlan::transitTimeIgnoresZoneChanges()
{
    // The night summer time ends: the local wall clock of the box is what counts.
    PlanInput input = berlin({record("X;12:00:00;0:00:00;")});
    input.localTime = QDateTime(QDate(2026, 10, 25), QTime(1, 30, 0));
    input.daylightSaving = true;
    const PlanRow row = computePlan(input).constFirst();
    QCOMPARE(row.transitLocalTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
             QDateTime(QDate(2026, 10, 25), QTime(1, 30, 0), Qt::UTC)
                 .addSecs(row.secondsToTransit)
                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void TestObservingPlan::texts_data()
{
    QTest::addColumn<QString>("got");
    QTest::addColumn<QString>("want");
    QTest::newRow("on the meridian is west, plus") << eastWestText(0.0) << "+00:00:00";
    QTest::newRow("23 h 59 m 59.5 s is one second east, cut like the readout")
        << eastWestText(24.0 - 0.5 / 3600) << "-00:00:01";
    QTest::newRow("12 h is east") << eastWestText(12.0) << "-12:00:00";
    QTest::newRow("time left above a day's hours") << durationText(86163) << "23:56:03";
    QTest::newRow("two decimals, point") << degreesText(-5.905) << "-5.91";
    QTest::newRow("no minus on a rounded zero") << degreesText(-0.001) << "0.00";
    QTest::newRow("date and time") << planDateTimeText(DECEMBER_NIGHT) << "2026-12-08 23:30:00";
    QTest::newRow("summer-time note for a system west of Greenwich")
        << summerTimeWarning(false, -5 * 3600)
        << "„Sommerzeit“ ist nicht angekreuzt (UTC+01:00), die Systemuhr geht aber auf "
           "UTC-05:00: Greenwich-Zeit, Sternzeit und Stundenwinkel überprüfen!";
}

void TestObservingPlan::texts()
{
    QFETCH(QString, got);
    QFETCH(QString, want);
    QCOMPARE(got, want);
}

void TestObservingPlan::summerTimeAgainstSystemOffset_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<int>("preset"); ///< -1: left as it is (unticked at start)
    QTest::addColumn<bool>("disagrees");
    const struct
    {
        const char *name;
        int offset;
        int preset;
    } offsets[] = {{"UTC+0", 0, -1},
                   {"UTC+1 (MEZ)", 3600, 0},
                   {"UTC+2 (MESZ)", 7200, 1},
                   {"UTC+5:30", 19800, -1}};
    for (const auto &o : offsets)
        for (const bool ticked : {false, true}) {
            const bool agrees = (o.offset == 3600 && !ticked) || (o.offset == 7200 && ticked);
            QTest::addRow("%s, box %s", o.name, ticked ? "ticked" : "unticked")
                << o.offset << ticked << o.preset << !agrees;
        }
}

void TestObservingPlan::summerTimeAgainstSystemOffset()
{
    QFETCH(int, offset);
    QFETCH(bool, ticked);
    QFETCH(int, preset);
    QFETCH(bool, disagrees);
    const std::optional<bool> got = summerTimeForUtcOffset(offset);
    QCOMPARE(got.has_value(), preset >= 0);
    if (got)
        QCOMPARE(*got, preset == 1);
    QCOMPARE(summerTimeDisagrees(ticked, offset), disagrees);
    if (disagrees)
        QVERIFY(
            summerTimeWarning(ticked, offset).contains(offset == 19800 ? "UTC+05:30" : "UTC+0"));
}

QTEST_GUILESS_MAIN(TestObservingPlan)
#include "tst_observingplan.moc"
