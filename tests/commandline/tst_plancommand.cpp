// SPDX-License-Identifier: GPL-3.0-or-later
// `zenitor --plan`: the table against ERFA's reference, the exit codes, the summer-time default.
#include "clock/observingplan.h"
#include "commandline/commandline.h"
#include "commandline/plancommand.h"

#include "support/fakeservices.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimeZone>

#include <cmath>

namespace {

const QString FIXTURE = QStringLiteral(ZENITOR_TEST_DATA_DIR "/plan");
/// Lists and sites as a careless or hostile hand leaves them: a NUL byte, over-long lines, a
/// latitude between tabs, a site line without its site.
const QString HOSTILE = QStringLiteral(ZENITOR_TEST_DATA_DIR "/hostile");
/// The nine columns scripts read by position, then the night's five.
const QString HEADER = QStringLiteral("Objekt\tStundenwinkel\tDurchgang\tBis\tHoehe\tAzimut\t"
                                      "Kulmination\tRektaszension\tDeklination\tAufgang\t"
                                      "Untergang\tBeste Zeit\tHoehe dann\tMondabstand");
const QString NIGHT_WITHOUT_LATITUDE =
    QStringLiteral("Ohne Breite keine Nacht: Aufgang, Untergang, Beste Zeit, Hoehe dann und "
                   "Mondabstand bleiben leer.\n");

/// The fake clock in a zone with rules, as the system's.
class ZonedTimeSource : public FakeTimeSource
{
public:
    QTimeZone zone;
    QTimeZone timeZone() override { return zone.isValid() ? zone : FakeTimeSource::timeZone(); }
};

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

CommandLineOutcome plan(const QStringList &options, FakeTimeSource &time,
                        const QString &folder = FIXTURE)
{
    const CommandLineOutcome read =
        readCommandLine(QStringList{QStringLiteral("zenitor"), QStringLiteral("--plan")} + options);
    if (!read.plan)
        return read;
    return runPlanCommand(*read.plan, folder, time);
}

/// Runs the program itself through the shell, so a test can take its standard output away.
struct ShellRun
{
    int exitCode = -1;
    bool crashed = false;
    QString standardError;
};

ShellRun runInShell(const QString &script, const QStringList &arguments)
{
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"),
                QStringList{QStringLiteral("-c"), script, QStringLiteral(ZENITOR_EXECUTABLE)} +
                    arguments);
    if (!shell.waitForFinished(30000))
        return {};
    return {shell.exitCode(), shell.exitStatus() == QProcess::CrashExit,
            QString::fromUtf8(shell.readAllStandardError())};
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
    void everyInputGetsItsReason_data();
    void everyInputGetsItsReason();
    void timeInTheSystemZone();
    void writeFailuresAreReported_data();
    void writeFailuresAreReported();
    void closedPipeEndsQuietly();
};

void TestPlanCommand::tableAgreesWithReference_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("referenceCase");
    QTest::addColumn<QString>("errors"); ///< standard error, whole
    const QString brokenRecord = QStringLiteral("für Kaputt Rektaszension überprüfen!!!\n");
    QTest::newRow("Berlin, December night")
        << QStringList{"--site", "13.41 Berlin", "--time", "2026-12-08 23:30:00", "--winterzeit"}
        << "Berlin, December night" << brokenRecord;
    QTest::newRow("La Silla, July night in summer time")
        << QStringList{"--site", "-70.73 La Silla",     "--list",      "Abend",
                       "--time", "2026-07-01 02:00:00", "--sommerzeit"}
        << "La Silla, July night in summer time" << brokenRecord;
    QTest::newRow("typed longitude without latitude: height columns empty")
        << QStringList{"--site", "150.0 Ohne Breite", "--time", "2026-03-15 21:10:05"}
        << "typed longitude without latitude"
        << brokenRecord +
               QStringLiteral("Standort „150.0 Ohne Breite“ hat in Zeile 3 der "
                              "standort.txt keine Breite: Höhe, Azimut und "
                              "Kulmination bleiben leer.\n") +
               NIGHT_WITHOUT_LATITUDE;
}

void TestPlanCommand::tableAgreesWithReference()
{
    QFETCH(QStringList, options);
    QFETCH(QString, referenceCase);
    QFETCH(QString, errors);
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
    QCOMPARE(outcome.standardError, errors);
    QStringList lines = outcome.standardOutput.split(u'\n');
    QCOMPARE(lines.takeLast(), QString()); // every line ends in a line break
    QCOMPARE(lines.takeFirst(), HEADER);
    QCOMPARE(lines.size(), want.size());
    for (qsizetype row = 0; row < want.size(); ++row) {
        const QStringList got = lines[row].split(u'\t');
        const QStringList &ref = want[row];
        QCOMPARE(got.size(), 14);
        QCOMPARE(got[0], ref[0]); // the order: next transit first
        // The night's columns need hour angle, declination and latitude, as the heights do.
        if (ref[4].isEmpty())
            QCOMPARE(got.mid(9), QStringList(5, QString()));
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

    // The fixture's first list holds a record without a usable right ascension.
    QTest::newRow("defaults: first site, first list, now")
        << QStringList() << 0 << "für Kaputt Rektaszension überprüfen!!!";
    QTest::newRow("a typed longitude is a site")
        << QStringList{"--site", "7.5 Feld"} << 0 << "„7.5 Feld“ ist eine eingetippte Länge";
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
    // Without --time: the fake clock's present time, read as the window reads the system's.
    const QStringList fixed{"--time", "2026-12-08 23:30:00"};
    FakeTimeSource time;
    time.utcOffsetSeconds = utcOffset;
    const CommandLineOutcome outcome = plan(options, time);
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

void TestPlanCommand::everyInputGetsItsReason_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("zone"); ///< the system's zone; empty: always UTC+01:00
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("inOutput"); ///< each in standard output, in this order
    QTest::addColumn<QStringList>("inError");  ///< each in standard error; none: it is empty
    /// Options whose output must be the same, or none.
    QTest::addColumn<QStringList>("sameOutputAs");

    const QStringList december{"--time", "2026-12-08 23:30:00"};
    const QStringList july{"--time", "2026-07-01 23:30:00"};
    const QStringList skipped{"--time", "2026-03-29 02:30:00"};
    const QStringList repeated{"--time", "2026-10-25 02:30:00"};
    const QByteArray berlin("Europe/Berlin");
    const QByteArray newYork("America/New_York");
    const QStringList none;

    // The time and its offset.
    QTest::newRow("July, no flag, Berlin in December: summer time, no note")
        << FIXTURE << july << berlin << 0 << QStringList{"M 42"} << QStringList{"Kaputt"}
        << july + QStringList{"--sommerzeit"};
    QTest::newRow("July with --sommerzeit, Berlin in December: no word about the system clock")
        << FIXTURE << july + QStringList{"--sommerzeit"} << berlin << 0 << none
        << QStringList{"Kaputt"} << none;
    QTest::newRow("December with --winterzeit on New York time: no word about the system clock")
        << FIXTURE << december + QStringList{"--winterzeit"} << newYork << 0 << none
        << QStringList{"Kaputt"} << none;
    QTest::newRow("December, no flag, New York: winter time, a flag decides")
        << FIXTURE << december << newYork << 0 << none
        << QStringList{"America/New_York", "keine mitteleuropäische", "--sommerzeit"}
        << december + QStringList{"--winterzeit"};
    QTest::newRow("skipped hour, no flag: refused with the change, not as a bad format")
        << FIXTURE << skipped << berlin << 2 << none
        << QStringList{"„2026-03-29 02:30:00“ gibt es in der Zeitzone des Systems (Europe/Berlin) "
                       "nicht",
                       "am 2026-03-29 springen die Uhren von 02:00 auf 03:00 (UTC+02:00 statt "
                       "UTC+01:00)",
                       "--sommerzeit oder --winterzeit"}
        << none;
    QTest::newRow("skipped hour with --winterzeit: accepted as the flag says")
        << FIXTURE << skipped + QStringList{"--winterzeit"} << berlin << 0 << QStringList{"M 42\t"}
        << QStringList{"Kaputt"} << none;
    QTest::newRow("repeated hour, no flag: refused, a flag picks one")
        << FIXTURE << repeated << berlin << 2 << none
        << QStringList{"zweimal", "am 2026-10-25 gehen die Uhren von 03:00 auf 02:00",
                       "--sommerzeit wählt die erste"}
        << none;
    QTest::newRow("repeated hour with --sommerzeit")
        << FIXTURE << repeated + QStringList{"--sommerzeit"} << berlin << 0 << none
        << QStringList{"Kaputt"} << none;
    QTest::newRow("repeated hour with --winterzeit")
        << FIXTURE << repeated + QStringList{"--winterzeit"} << berlin << 0 << none
        << QStringList{"Kaputt"} << none;
    QTest::newRow("year 10000 is no transit time")
        << FIXTURE << QStringList{"--time", "9999-12-31 23:59:59", "--winterzeit"} << berlin << 2
        << none << QStringList{"fiele ins Jahr 10000"} << none;
    QTest::newRow("two days before the year 10000")
        << FIXTURE << QStringList{"--time", "9999-12-29 23:59:59", "--winterzeit"} << berlin << 0
        << QStringList{"\t9999-12-30 "} << QStringList{"Kaputt"} << none;

    // Sites.
    const QStringList nines{"--site", QString(309, u'9')};
    QTest::newRow("309 nines") << FIXTURE << nines << QByteArray() << 2 << none
                               << QStringList{"nicht zwischen -180 und 360 Grad"} << none;
    for (const char *longitude : {"720.5", "-181", "360.01 Ost"})
        QTest::addRow("longitude %s", longitude)
            << FIXTURE << QStringList{"--site", longitude} << QByteArray() << 2 << none
            << QStringList{"nicht zwischen -180 und 360 Grad"} << none;
    QTest::newRow("1e20 is no longitude")
        << FIXTURE << QStringList{"--site", "1e20"} << QByteArray() << 2 << none
        << QStringList{"ohne Exponent"} << none;
    QTest::newRow("longitude -180 is a bound, the same meridian as 180")
        << FIXTURE << QStringList{"--site", "-180"} << QByteArray() << 0 << none
        << QStringList{"eingetippte Länge"} << QStringList{"--site", "180"};
    QTest::newRow("longitude 360 is a bound, the same meridian as 0")
        << FIXTURE << QStringList{"--site", "360"} << QByteArray() << 0 << none
        << QStringList{"eingetippte Länge"} << QStringList{"--site", "0"};
    QTest::newRow("a site between blanks and tabs is the site, latitude and all")
        << FIXTURE << QStringList{"--site", " \t13.41 Berlin "} + december << QByteArray() << 0
        << none << QStringList{"Kaputt"} << QStringList{"--site", "13.41 Berlin"} + december;
    QTest::newRow("a latitude between tabs is a latitude")
        << HOSTILE << QStringList{"--list", "Lang"} << QByteArray() << 0
        << QStringList{"M 45\t+00:47:00\t2026-12-09 22:39:12\t23:09:12\t60.22\t"}
        << QStringList{"standort.txt", "Zeile 2 ist länger"} << none;
    QTest::newRow("a site line without its site is named")
        << HOSTILE << QStringList{"--site", "", "--list", "Lang"} << QByteArray() << 0 << none
        << QStringList{"Zeile 3 der Datei standort.txt", "nennt keinen Standort"} << none;

    // Lists.
    QTest::newRow("a NUL byte: every row whole, the line named")
        << HOSTILE << QStringList{"--list", "Nul", "--site", "13.41 Berlin"} << QByteArray() << 0
        << QStringList{"\nM 42\t", "\nM 8\uFFFD1\t-05:21:09\t", "\nSchief\t", "\nM 45\t",
                       "\nKurz\t"}
        << QStringList{"Datei Nul.txt", "Zeile 2: Steuerzeichen",
                       "für Schief Deklination überprüfen!!!",
                       "für Kurz Datensatz in Datei Nul.txt"}
        << none;
    QTest::newRow("a line over 4096 characters is named")
        << HOSTILE << QStringList{"--list", "Lang"} << QByteArray() << 0
        << QStringList{"M 42", "M 45"}
        << QStringList{"Datei Lang.txt", "Zeile 2 ist länger als 4096 Zeichen"} << none;
    QTest::newRow("a typed longitude has no latitude, and says so")
        << HOSTILE << QStringList{"--site", "12", "--list", "Lang"} << QByteArray() << 0 << none
        << QStringList{"„12“ ist eine eingetippte Länge ohne Breite"} << none;
    QTest::newRow("a site without latitude says so")
        << HOSTILE << QStringList{"--site", "150.0 Ohne Breite", "--list", "Lang"} << QByteArray()
        << 0 << none << QStringList{"„150.0 Ohne Breite“ hat in Zeile 4", "keine Breite"} << none;
}

void TestPlanCommand::everyInputGetsItsReason()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, zone);
    QFETCH(int, exitCode);
    QFETCH(QStringList, inOutput);
    QFETCH(QStringList, inError);
    QFETCH(QStringList, sameOutputAs);
    ZonedTimeSource time;
    if (!zone.isEmpty())
        time.zone = QTimeZone(zone);
    const CommandLineOutcome outcome = plan(options, time, folder);
    QCOMPARE(outcome.exitCode, exitCode);
    const QString &output = outcome.standardOutput;
    const QString &error = outcome.standardError;
    if (exitCode != 0) {
        QCOMPARE(output, QString());
    } else {
        QVERIFY(output.startsWith(HEADER + u'\n'));
        QVERIFY(output.endsWith(u'\n'));
        for (const QString &line : output.chopped(1).split(u'\n'))
            QVERIFY2(line.count(u'\t') == 13, qPrintable(line));
    }
    qsizetype from = 0;
    for (const QString &part : inOutput) {
        from = output.indexOf(part, from);
        QVERIFY2(from >= 0, qPrintable(part + QStringLiteral(" not in:\n") + output));
    }
    if (inError.isEmpty())
        QVERIFY2(error.isEmpty(), qPrintable(error));
    for (const QString &part : inError)
        QVERIFY2(error.contains(part), qPrintable(part + QStringLiteral(" not in:\n") + error));
    if (!sameOutputAs.isEmpty()) {
        ZonedTimeSource reference;
        QCOMPARE(output, plan(sameOutputAs, reference, folder).standardOutput);
    }
}

void TestPlanCommand::timeInTheSystemZone()
{
    // The program itself on the system's own zone, which the test run sets to Berlin.
    QCOMPARE(QTimeZone::systemTimeZoneId(), QByteArray("Europe/Berlin"));
    QProcess program;
    program.start(QStringLiteral(ZENITOR_EXECUTABLE),
                  {"--plan", "--list", "Winter", "--time", "2026-07-01 23:30:00"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    const QByteArray july = program.readAllStandardOutput();
    program.start(QStringLiteral(ZENITOR_EXECUTABLE),
                  {"--plan", "--list", "Winter", "--time", "2026-07-01 23:30:00", "--sommerzeit"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.readAllStandardOutput(), july);

    program.start(QStringLiteral(ZENITOR_EXECUTABLE),
                  {"--plan", "--list", "Winter", "--time", "2026-03-29 02:30:00"});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(QString::fromUtf8(program.readAllStandardError())
                .contains(QStringLiteral("von 02:00 auf 03:00")));
}

void TestPlanCommand::writeFailuresAreReported_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("reason");
    const QString full = QStringLiteral("exec \"$0\" \"$@\" >/dev/full");
    const QString closed = QStringLiteral("exec \"$0\" \"$@\" >&-");
    const QStringList planArguments{
        "--plan", "--list", "Winter", "--time", "2026-12-08 23:30:00", "--winterzeit"};
    QTest::newRow("plan to a full disk") << full << planArguments << "Datenträger voll";
    QTest::newRow("help to a full disk") << full << QStringList{"--help"} << "Datenträger voll";
    QTest::newRow("version to a full disk")
        << full << QStringList{"--version"} << "Datenträger voll";
    QTest::newRow("plan to a closed output") << closed << planArguments << "Ausgabe geschlossen";
    QTest::newRow("help to a closed output")
        << closed << QStringList{"--help"} << "Ausgabe geschlossen";
}

void TestPlanCommand::writeFailuresAreReported()
{
    QFETCH(QString, script);
    QFETCH(QStringList, arguments);
    QFETCH(QString, reason);
    const ShellRun run = runInShell(script, arguments);
    QCOMPARE(run.crashed, false);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.standardError.contains(QStringLiteral("Die Ausgabe konnte nicht geschrieben "
                                                       "werden (") +
                                        reason + u')'),
             qPrintable(run.standardError));
}

void TestPlanCommand::closedPipeEndsQuietly()
{
    // The reader is gone before the program writes: with SIGPIPE ignored the write fails with
    // EPIPE, which is no fault to report.
    const ShellRun run =
        runInShell(QStringLiteral("trap '' PIPE; \"$0\" \"$@\" | :"),
                   {"--plan", "--list", "Winter", "--time", "2026-12-08 23:30:00", "--winterzeit"});
    QCOMPARE(run.crashed, false);
    QCOMPARE(run.standardError, QString());
}

QTEST_GUILESS_MAIN(TestPlanCommand)
#include "tst_plancommand.moc"
