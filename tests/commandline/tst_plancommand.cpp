// SPDX-License-Identifier: GPL-3.0-or-later
// `zenitor --plan`: the table against ERFA's reference, the exit codes, the summer-time default.
#include "clock/observingplan.h"
#include "commandline/commandline.h"
#include "commandline/plancommand.h"

#include "support/fakeservices.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <cmath>

namespace {

const QString FIXTURE = QStringLiteral(ZENITOR_TEST_DATA_DIR "/plan");

double secondsOf(const QString &hms)
{
    const QStringList parts =
        hms.mid(hms.startsWith(u'+') || hms.startsWith(u'-') ? 1 : 0).split(u':');
    const double magnitude =
        parts[0].toDouble() * 3600 + parts[1].toDouble() * 60 + parts[2].toDouble();
    return hms.startsWith(u'-') ? -magnitude : magnitude;
}

void compareNear(double got, double want, double tolerance, const QString &what)
{
    QVERIFY2(std::abs(got - want) <= tolerance,
             qPrintable(QStringLiteral("%1: want %2, got %3 (tolerance %4)")
                            .arg(what)
                            .arg(want, 0, 'f', 6)
                            .arg(got, 0, 'f', 6)
                            .arg(tolerance)));
}

CommandLineOutcome plan(const QStringList &options, FakeTimeSource &time)
{
    const CommandLineOutcome read =
        readCommandLine(QStringList{QStringLiteral("zenitor"), QStringLiteral("--plan")} + options);
    if (!read.plan)
        return read;
    return runPlanCommand(*read.plan, FIXTURE, time);
}

} // namespace

class TestPlanCommand : public QObject
{
    Q_OBJECT
private slots:
    void tableAgreesWithReference_data();
    void tableAgreesWithReference();
    void exitCodes_data();
    void exitCodes();
    void summerTimeDefault_data();
    void summerTimeDefault();
    void programPrintsPlanWithoutDisplay();
};

void TestPlanCommand::tableAgreesWithReference_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("referenceCase");
    QTest::newRow("Berlin, December night")
        << QStringList{"--site", "13.41 Berlin", "--time", "2026-12-08 23:30:00", "--winterzeit"}
        << "Berlin, December night";
    QTest::newRow("La Silla, July night in summer time")
        << QStringList{"--site", "-70.73 La Silla",     "--list",      "Abend",
                       "--time", "2026-07-01 02:00:00", "--sommerzeit"}
        << "La Silla, July night in summer time";
    QTest::newRow("typed longitude without latitude: height columns empty")
        << QStringList{"--site", "150.0 Ohne Breite", "--time", "2026-03-15 21:10:05"}
        << "typed longitude without latitude";
}

void TestPlanCommand::tableAgreesWithReference()
{
    QFETCH(QStringList, options);
    QFETCH(QString, referenceCase);
    QFile file(QStringLiteral(ZENITOR_TEST_DATA_DIR "/plan-reference.tsv"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QStringList> want;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (line.startsWith(referenceCase + u'\t'))
            want.append(line.split(u'\t').mid(1));
    QVERIFY(!want.isEmpty());

    FakeTimeSource time;
    // The system on the zone the case computes for, so no summer-time note is printed.
    time.utcOffsetSeconds = options.contains(QStringLiteral("--sommerzeit")) ? 7200 : 3600;
    const CommandLineOutcome outcome = plan(options, time);
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY2(outcome.standardError.isEmpty(), qPrintable(outcome.standardError));
    QStringList lines = outcome.standardOutput.split(u'\n');
    QCOMPARE(lines.takeLast(), QString()); // every line ends in a line break
    QCOMPARE(lines.takeFirst(), QStringLiteral("Objekt\tStundenwinkel\tDurchgang\tBis\tHoehe\t"
                                               "Azimut\tKulmination\tRektaszension\tDeklination"));
    QCOMPARE(lines.size(), want.size());
    for (qsizetype row = 0; row < want.size(); ++row) {
        const QStringList got = lines[row].split(u'\t');
        const QStringList &ref = want[row];
        QCOMPARE(got.size(), 9);
        QCOMPARE(got[0], ref[0]); // the order: next transit first
        if (ref[1].isEmpty()) {
            QCOMPARE(got.mid(1, 6), QStringList(6, QString()));
            continue;
        }
        const QString what = ref[0] + u' ';
        compareNear(secondsOf(got[1]), ref[1].toDouble() * 3600, 1.0,
                    what + QStringLiteral("hour angle (s)"));
        const QDateTime gotTransit =
            QDateTime::fromString(got[2], QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        const QDateTime wantTransit =
            QDateTime::fromString(ref[2], QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY2(gotTransit.isValid(), qPrintable(got[2]));
        compareNear(wantTransit.secsTo(gotTransit), 0, 1.0, what + QStringLiteral("transit (s)"));
        compareNear(secondsOf(got[3]), ref[3].toDouble(), 1.0,
                    what + QStringLiteral("time left (s)"));
        for (int column = 4; column <= 6; ++column) {
            if (ref[column].isEmpty()) {
                QCOMPARE(got[column], QString());
            } else {
                QVERIFY2(got[column].contains(u'.') && got[column].section(u'.', 1).size() == 2,
                         qPrintable(got[column]));
                compareNear(got[column].toDouble(), ref[column].toDouble(), 0.01,
                            what + QStringLiteral("degrees in column ") + QString::number(column));
            }
        }
    }
}

void TestPlanCommand::exitCodes_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("inError"); ///< empty: nothing on stderr

    QTest::newRow("defaults: first site, first list, now") << QStringList() << 0 << QString();
    QTest::newRow("a typed longitude is a site")
        << QStringList{"--site", "7.5 Feld"} << 0 << QString();
    QTest::newRow("unknown site") << QStringList{"--site", "Mond"} << 2 << "Standort „Mond“";
    QTest::newRow("unknown list") << QStringList{"--list", "Sommer"} << 2 << "Liste „Sommer“";
    QTest::newRow("list in the index without its file")
        << QStringList{"--list", "Fehlt"} << 2 << "Fehlt.txt";
    QTest::newRow("month 13") << QStringList{"--time", "2026-13-01 00:00:00"} << 2
                              << "Zeit „2026-13-01 00:00:00“";
    QTest::newRow("time without seconds")
        << QStringList{"--time", "2026-12-08 23:30"} << 2 << "JJJJ-MM-TT hh:mm:ss";
    QTest::newRow("time is no date") << QStringList{"--time", "heute"} << 2 << "heute";
    QTest::newRow("summer and winter time at once")
        << QStringList{"--sommerzeit", "--winterzeit"} << 2 << "schließen einander aus";
    QTest::newRow("site with a broken latitude: plan without heights, message names the line")
        << QStringList{"--site", "8.55 Zürich"} << 0 << "Zeile 4";
}

void TestPlanCommand::exitCodes()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, inError);
    FakeTimeSource time;
    const CommandLineOutcome outcome = plan(options, time);
    QCOMPARE(outcome.startWindow, false);
    QCOMPARE(outcome.exitCode, exitCode);
    if (inError.isEmpty())
        QVERIFY2(outcome.standardError.isEmpty(), qPrintable(outcome.standardError));
    else
        QVERIFY2(outcome.standardError.contains(inError), qPrintable(outcome.standardError));
    if (exitCode == 0)
        QVERIFY(outcome.standardOutput.startsWith(QStringLiteral("Objekt\t")));
    else
        QVERIFY(outcome.standardOutput.isEmpty());
}

void TestPlanCommand::summerTimeDefault_data()
{
    QTest::addColumn<int>("utcOffset");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("summerTime");
    QTest::addColumn<bool>("warned");
    QTest::newRow("UTC+0, default: winter time, warned") << 0 << QStringList() << false << true;
    QTest::newRow("UTC+1, default: winter time") << 3600 << QStringList() << false << false;
    QTest::newRow("UTC+2, default: summer time") << 7200 << QStringList() << true << false;
    QTest::newRow("UTC+5:30, default: winter time, warned")
        << 19800 << QStringList() << false << true;
    QTest::newRow("UTC+1 with --sommerzeit: warned")
        << 3600 << QStringList{"--sommerzeit"} << true << true;
    QTest::newRow("UTC+2 with --winterzeit: warned")
        << 7200 << QStringList{"--winterzeit"} << false << true;
    QTest::newRow("UTC+2 with --sommerzeit")
        << 7200 << QStringList{"--sommerzeit"} << true << false;
}

void TestPlanCommand::summerTimeDefault()
{
    QFETCH(int, utcOffset);
    QFETCH(QStringList, options);
    QFETCH(bool, summerTime);
    QFETCH(bool, warned);
    const QStringList fixed{"--time", "2026-12-08 23:30:00"};
    FakeTimeSource time;
    time.utcOffsetSeconds = utcOffset;
    const CommandLineOutcome outcome = plan(fixed + options, time);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardError.contains(QStringLiteral("Sommerzeit")), warned);
    FakeTimeSource cet;
    const QString explicitFlag =
        summerTime ? QStringLiteral("--sommerzeit") : QStringLiteral("--winterzeit");
    cet.utcOffsetSeconds = summerTime ? 7200 : 3600;
    QCOMPARE(outcome.standardOutput, plan(fixed + QStringList{explicitFlag}, cet).standardOutput);
}

void TestPlanCommand::programPrintsPlanWithoutDisplay()
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZENITOR_EXECUTABLE),
                  {"--plan", "--list", "Winter", "--time", "2026-12-08 23:30:00", "--winterzeit"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(program.readAllStandardOutput()).split(u'\n');
    QVERIFY(lines.first().startsWith(QStringLiteral("Objekt\tStundenwinkel")));
    // The delivered winter list, each object with heights for the first site.
    QVERIFY2(lines.size() > 10, qPrintable(lines.join(u'\n')));
    QVERIFY2(lines[1].split(u'\t').value(4).contains(u'.'), qPrintable(lines[1]));

    program.start(QStringLiteral(ZENITOR_EXECUTABLE), {"--plan", "--site", "Mond"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains(QStringLiteral("Mond")));
}

QTEST_GUILESS_MAIN(TestPlanCommand)
#include "tst_plancommand.moc"
