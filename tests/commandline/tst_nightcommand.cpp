// SPDX-License-Identifier: GPL-3.0-or-later
// `zenitor --nacht` and the night's columns of `zenitor --plan` against the astropy reference
// tables of the astro tests, and what both refuse.
#include "commandline/commandline.h"
#include "commandline/plancommand.h"

#include "support/fakeservices.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimeZone>

#include <cmath>

using Quantities = QHash<QString, QString>; ///< reference quantity -> value

namespace {

/// The reference's sites with their latitudes, a site without one and one with a broken one;
/// the list "Nacht" holds the reference's objects as a list writes them.
const QString FIXTURE = QStringLiteral(ZENITOR_TEST_DATA_DIR "/night");
const QString REFERENCE_DIR = QStringLiteral(ZENITOR_SOURCE_DIR "/tests/astro/data/");
const QString TIME_FORMAT = QStringLiteral("yyyy-MM-dd HH:mm:ss");

/// The fixture's site for a reference longitude.
const QHash<QString, QString> SITES{{"13.41", "13.41 Berlin"},
                                    {"18.42", "18.42 Kapstadt"},
                                    {"15.63", "15.63 Longyearbyen"},
                                    {"-78.47", "-78.47 Quito"}};

/// The night's lines in their order, with the reference's name for each.
const QList<std::pair<QString, QString>> NIGHT_LINES{
    {"Sonnenuntergang", "sunset"},
    {"Buergerliche Daemmerung Ende", "civilDusk"},
    {"Nautische Daemmerung Ende", "nauticalDusk"},
    {"Astronomische Daemmerung Ende", "astronomicalDusk"},
    {"Astronomische Daemmerung Beginn", "astronomicalDawn"},
    {"Nautische Daemmerung Beginn", "nauticalDawn"},
    {"Buergerliche Daemmerung Beginn", "civilDawn"},
    {"Sonnenaufgang", "sunrise"},
    {"Mondaufgang", "moonrise"},
    {"Monduntergang", "moonset"},
    {"Mond beleuchtet", "illuminatedPercent"},
};

/// The fake clock in a zone with rules, as the system's.
class ZonedTimeSource : public FakeTimeSource
{
public:
    QTimeZone zone;
    QTimeZone timeZone() override { return zone.isValid() ? zone : FakeTimeSource::timeZone(); }
};

QList<QStringList> referenceRows(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        if (!line.startsWith(u'#') && !line.startsWith(QStringLiteral("case\t")))
            rows.append(line.split(u'\t'));
    return rows;
}

/// --site, --time and the flag of a reference case (fields: case, local, summer, longitude).
QStringList optionsOf(const QStringList &fields)
{
    return {"--site", SITES.value(fields[3]), "--time", fields[1],
            fields[2] == QStringLiteral("1") ? "--sommerzeit" : "--winterzeit"};
}

/// Reads the command line as the program does and runs what it asks for on the fixture.
CommandLineOutcome run(const QStringList &arguments, FakeTimeSource &time,
                       const QString &folder = FIXTURE)
{
    const CommandLineOutcome read = readCommandLine(QStringList{"zenitor"} + arguments);
    if (read.night)
        return runNightCommand(*read.night, folder, time);
    if (read.plan)
        return runPlanCommand(*read.plan, folder, time);
    return read;
}

/// A printed time against the reference's: both times within tolerance seconds, or "keiner"
/// where the reference has none (its outcome word or "keiner"); returns the deviation.
qint64 compareTime(const QString &got, const QString &want, qint64 tolerance, const QString &what)
{
    if (!want.at(0).isDigit()) {
        if (got != QStringLiteral("keiner"))
            QTest::qFail(qPrintable(what + QStringLiteral(": want keiner (") + want +
                                    QStringLiteral("), got ") + got),
                         __FILE__, __LINE__);
        return 0;
    }
    const QDateTime gotTime = QDateTime::fromString(got, TIME_FORMAT);
    const QDateTime wantTime = QDateTime::fromString(want, TIME_FORMAT);
    if (!gotTime.isValid() || std::abs(wantTime.secsTo(gotTime)) > tolerance)
        QTest::qFail(qPrintable(QStringLiteral("%1: want %2, got %3 (tolerance %4 s)")
                                    .arg(what, want, got)
                                    .arg(tolerance)),
                     __FILE__, __LINE__);
    return gotTime.isValid() ? wantTime.secsTo(gotTime) : 0;
}

void compareNear(const QString &got, double want, double tolerance, const QString &what)
{
    bool number = false;
    const double value = got.toDouble(&number);
    QVERIFY2(number && std::abs(value - want) <= tolerance,
             qPrintable(QStringLiteral("%1: want %2, got %3 (tolerance %4)")
                            .arg(what)
                            .arg(want, 0, 'f', 4)
                            .arg(got)
                            .arg(tolerance)));
}

const QRegularExpression TWO_DECIMALS(QStringLiteral("^-?\\d+\\.\\d\\d$"));

} // namespace

class TestNightCommand : public QObject
{
    Q_OBJECT
private slots:
    void nightAgreesWithReference_data();
    void nightAgreesWithReference();
    void planColumnsAgreeWithReference_data();
    void planColumnsAgreeWithReference();
    void refusals_data();
    void refusals();
    void sameMachineryAsThePlan_data();
    void sameMachineryAsThePlan();
    void programPrintsNight_data();
    void programPrintsNight();
};

// One row per reference night: Berlin in December and June, after midnight, Cape Town,
// 78° N in polar night and midnight sun, the summer-time changes, Quito.
void TestNightCommand::nightAgreesWithReference_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<Quantities>("want");
    QHash<QString, QStringList> options;
    QHash<QString, Quantities> wants;
    QStringList order;
    for (const QStringList &fields :
         referenceRows(REFERENCE_DIR + QStringLiteral("night-reference.tsv"))) {
        if (!options.contains(fields[0])) {
            order.append(fields[0]);
            options[fields[0]] = optionsOf(fields);
        }
        wants[fields[0]][fields[5]] = fields[6];
    }
    QVERIFY(order.size() >= 6);
    for (const QString &name : order)
        QTest::newRow(qPrintable(name)) << options[name] << wants[name];
}

void TestNightCommand::nightAgreesWithReference()
{
    QFETCH(QStringList, options);
    QFETCH(Quantities, want);
    QVERIFY2(!options[1].isEmpty(), "a reference site missing from the fixture");
    FakeTimeSource time;
    // The system on the offset the case computes for, so no summer-time note is printed.
    time.utcOffsetSeconds = options.contains(QStringLiteral("--sommerzeit")) ? 7200 : 3600;
    const CommandLineOutcome outcome = run(QStringList{"--nacht"} + options, time);
    QCOMPARE(outcome.standardError, QString());
    QCOMPARE(outcome.exitCode, 0);
    QVERIFY(outcome.standardOutput.endsWith(u'\n'));
    const QStringList lines = outcome.standardOutput.chopped(1).split(u'\n');
    QCOMPARE(lines.size(), NIGHT_LINES.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto &[name, quantity] = NIGHT_LINES[i];
        const QStringList cells = lines[i].split(u'\t');
        QCOMPARE(cells.size(), 2);
        QCOMPARE(cells[0], name);
        if (quantity == QStringLiteral("illuminatedPercent")) {
            QVERIFY2(QRegularExpression(QStringLiteral("^\\d+\\.\\d$")).match(cells[1]).hasMatch(),
                     qPrintable(cells[1]));
            compareNear(cells[1], want[quantity].toDouble(), 1.0, name);
        } else {
            const bool moon = quantity.startsWith(QStringLiteral("moon"));
            compareTime(cells[1], want[quantity], moon ? 180 : 60, name);
        }
        if (QTest::currentTestFailed())
            return;
    }
}

// The nights of the astro tests' objects: Berlin in December and June, Cape Town, 78° N in
// polar night and the night the clocks spring forward; then this folder's own: 78° N under the
// midnight sun, the equator, the night the clocks go back and a time after midnight.
void TestNightCommand::planColumnsAgreeWithReference_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<QStringList>>("want"); ///< the reference's rows of the night
    QHash<QString, QList<QStringList>> rows;
    QStringList order;
    const QList<QStringList> reference =
        referenceRows(REFERENCE_DIR + QStringLiteral("night-objects-reference.tsv")) +
        referenceRows(QStringLiteral(ZENITOR_TEST_DATA_DIR "/night-columns-reference.tsv"));
    for (const QStringList &fields : reference) {
        if (!rows.contains(fields[0]))
            order.append(fields[0]);
        rows[fields[0]].append(fields);
    }
    QVERIFY(order.size() >= 9);
    for (const QString &name : order)
        QTest::newRow(qPrintable(name)) << optionsOf(rows[name].first()) << rows[name];
}

void TestNightCommand::planColumnsAgreeWithReference()
{
    QFETCH(QStringList, options);
    QFETCH(QList<QStringList>, want);
    FakeTimeSource time;
    time.utcOffsetSeconds = options.contains(QStringLiteral("--sommerzeit")) ? 7200 : 3600;
    const CommandLineOutcome outcome =
        run(QStringList{"--plan", "--list", "Nacht"} + options, time);
    QCOMPARE(outcome.standardError, QString());
    QCOMPARE(outcome.exitCode, 0);
    QStringList lines = outcome.standardOutput.chopped(1).split(u'\n');
    QCOMPARE(lines.takeFirst().split(u'\t').mid(9),
             (QStringList{"Aufgang", "Untergang", "Beste Zeit", "Hoehe dann", "Mondabstand"}));
    QCOMPARE(lines.size(), want.size());
    QHash<QString, QStringList> got;
    for (const QString &line : lines)
        got.insert(line.section(u'\t', 0, 0), line.split(u'\t'));
    for (const QStringList &ref : want) {
        const QStringList cells = got.value(ref[5]);
        QCOMPARE(cells.size(), 14);
        const QString what = ref[5] + u' ';
        compareTime(cells[9], ref[8], 5, what + QStringLiteral("Aufgang"));
        compareTime(cells[10], ref[9], 5, what + QStringLiteral("Untergang"));
        compareTime(cells[11], ref[10], 60, what + QStringLiteral("Beste Zeit"));
        if (ref[11] == QStringLiteral("keiner")) {
            QCOMPARE(cells[12], QStringLiteral("keiner"));
        } else {
            QVERIFY2(TWO_DECIMALS.match(cells[12]).hasMatch(), qPrintable(cells[12]));
            compareNear(cells[12], ref[11].toDouble(), 0.25, what + QStringLiteral("Hoehe dann"));
        }
        QVERIFY2(TWO_DECIMALS.match(cells[13]).hasMatch(), qPrintable(cells[13]));
        compareNear(cells[13], ref[12].toDouble(), 0.2, what + QStringLiteral("Mondabstand"));
        if (QTest::currentTestFailed())
            return;
    }
}

void TestNightCommand::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("zone"); ///< the system's zone; empty: always UTC+01:00
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); ///< standard error, whole; standard output stays empty

    const QStringList december{"--time", "2026-12-08 23:30:00", "--winterzeit"};
    QTest::newRow("site without latitude")
        << QStringList{"--nacht", "--site", "150.0 Ohne Breite"} + december << QByteArray() << 2
        << "zenitor --nacht: Standort „150.0 Ohne Breite“ hat in Zeile 5 der standort.txt keine "
           "Breite: die Nacht lässt sich ohne Breite nicht berechnen.\n";
    QTest::newRow("typed longitude: no latitude")
        << QStringList{"--nacht", "--site", " 12.5 "} + december << QByteArray() << 2
        << "zenitor --nacht: Standort „12.5“ ist eine eingetippte Länge ohne Breite: die Nacht "
           "lässt sich ohne Breite nicht berechnen.\n";
    QTest::newRow("latitude with a comma")
        << QStringList{"--nacht", "--site", "8.55 Zuerich"} + december << QByteArray() << 2
        << QStringLiteral("zenitor --nacht: Breite 47,37 in Zeile 6 der Datei standort.txt im "
                          "Ordner ") +
               FIXTURE +
               QStringLiteral(" überprüfen (Zahl von -90 bis 90, Punkt als Dezimalzeichen)!!! "
                              "Die Nacht lässt sich ohne Breite nicht berechnen.\n");
    QTest::newRow("unknown site") << QStringList{"--nacht", "--site", "Mond"} << QByteArray() << 2
                                  << "zenitor --nacht: Standort „Mond“ steht nicht in standort.txt "
                                     "und beginnt mit keiner Zahl (Länge in Grad).\n";
    QTest::newRow("longitude out of range")
        << QStringList{"--nacht", "--site", "-181"} << QByteArray() << 2
        << "zenitor --nacht: Länge des Standorts „-181“ liegt nicht zwischen -180 und 360 "
           "Grad.\n";
    QTest::newRow("month 13") << QStringList{"--nacht", "--time", "2026-13-01 00:00:00"}
                              << QByteArray() << 2
                              << "zenitor --nacht: Zeit „2026-13-01 00:00:00“ ungültig, erwartet "
                                 "wird JJJJ-MM-TT hh:mm:ss (Ortszeit).\n";
    QTest::newRow("time is no time")
        << QStringList{"--nacht", "--time", "heute"} << QByteArray() << 2
        << "zenitor --nacht: Zeit „heute“ ungültig, erwartet wird JJJJ-MM-TT hh:mm:ss "
           "(Ortszeit).\n";
    QTest::newRow("skipped hour without a flag")
        << QStringList{"--nacht", "--time", "2026-03-29 02:30:00"} << QByteArray("Europe/Berlin")
        << 2
        << "zenitor --nacht: Zeit „2026-03-29 02:30:00“ gibt es in der Zeitzone des Systems "
           "(Europe/Berlin) nicht: am 2026-03-29 springen die Uhren von 02:00 auf 03:00 "
           "(UTC+02:00 statt UTC+01:00). --sommerzeit oder --winterzeit legt fest, wie die Zeit "
           "gemeint ist.\n";
    QTest::newRow("sunrise in the year 10000")
        << QStringList{"--nacht", "--time", "9999-12-31 13:00:00", "--winterzeit"} << QByteArray()
        << 2
        << "zenitor --nacht: Zeit „9999-12-31 13:00:00“ zu spät: Astronomische Daemmerung "
           "Beginn fiele ins Jahr 10000, die Tabelle reicht von 1 bis 9999.\n";
    QTest::newRow("the plan's rise in the year before the first")
        << QStringList{"--plan", "--list", "Nacht", "--time", "0001-01-01 10:00:00", "--winterzeit"}
        << QByteArray() << 2
        << "zenitor --plan: Zeit „0001-01-01 10:00:00“ zu früh: der Aufgang von M 13 fiele ins "
           "Jahr -1, die Tabelle reicht von 1 bis 9999.\n";
    QTest::newRow("--nacht with --list")
        << QStringList{"--nacht", "--list", "Nacht"} << QByteArray() << 2
        << "zenitor: --list gilt nur zusammen mit --plan; die Nacht braucht keine Liste.\n";
    QTest::newRow("--nacht with --plan")
        << QStringList{"--plan", "--nacht"} << QByteArray() << 2
        << "zenitor: --plan und --nacht schließen einander aus: erst das eine, dann das andere "
           "aufrufen.\n";
    QTest::newRow("--nacht with both flags")
        << QStringList{"--nacht", "--sommerzeit", "--winterzeit"} << QByteArray() << 2
        << "zenitor: --sommerzeit und --winterzeit schließen einander aus.\n";
    QTest::newRow("--site alone") << QStringList{"--site", "13.41 Berlin"} << QByteArray() << 2
                                  << "zenitor: --site gilt nur zusammen mit --plan oder --nacht.\n";
    QTest::newRow("--list alone") << QStringList{"--list", "Nacht"} << QByteArray() << 2
                                  << "zenitor: --list gilt nur zusammen mit --plan.\n";
}

void TestNightCommand::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, zone);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    ZonedTimeSource time;
    if (!zone.isEmpty())
        time.zone = QTimeZone(zone);
    const CommandLineOutcome outcome = run(arguments, time);
    QCOMPARE(outcome.startWindow, false);
    QCOMPARE(outcome.exitCode, exitCode);
    QCOMPARE(outcome.standardOutput, QString());
    QCOMPARE(outcome.standardError, error);
}

void TestNightCommand::sameMachineryAsThePlan_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("utcOffset");      ///< the fake system's present offset
    QTest::addColumn<QString>("error");      ///< standard error, whole
    QTest::addColumn<QStringList>("sameAs"); ///< options that must print the same night

    const QStringList berlinDecember{"--site", "13.41 Berlin", "--time", "2026-12-08 23:30:00",
                                     "--winterzeit"};
    QTest::newRow("default site is the file's first")
        << QStringList{"--time", "2026-12-08 23:30:00", "--winterzeit"} << 3600 << QString()
        << berlinDecember;
    QTest::newRow("blanks and tabs around the site do not count")
        << QStringList{"--site", " \t13.41 Berlin ", "--time", "2026-12-08 23:30:00",
                       "--winterzeit"}
        << 3600 << QString() << berlinDecember;
    QTest::newRow("without --time: the system clock now, the offset from the system")
        << QStringList{"--site", "13.41 Berlin"} << 3600 << QString() << berlinDecember;
    QTest::newRow("without --time on UTC: winter time with a note")
        << QStringList{"--site", "13.41 Berlin"} << 0
        << "„Sommerzeit“ ist nicht angekreuzt (UTC+01:00), die Systemuhr geht aber auf "
           "UTC+00:00: Greenwich-Zeit, Sternzeit und Stundenwinkel überprüfen!\n"
        << berlinDecember;
    QTest::newRow("02:00 belongs to the evening before")
        << QStringList{"--site", "13.41 Berlin", "--time", "2026-12-09 02:00:00", "--winterzeit"}
        << 3600 << QString() << berlinDecember;
}

void TestNightCommand::sameMachineryAsThePlan()
{
    QFETCH(QStringList, options);
    QFETCH(int, utcOffset);
    QFETCH(QString, error);
    QFETCH(QStringList, sameAs);
    FakeTimeSource time;
    time.utcOffsetSeconds = utcOffset;
    const CommandLineOutcome outcome = run(QStringList{"--nacht"} + options, time);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.standardError, error);
    FakeTimeSource reference;
    const QString want = run(QStringList{"--nacht"} + sameAs, reference).standardOutput;
    // The Moon's phase belongs to the time asked for; the events to the whole night.
    QCOMPARE(outcome.standardOutput.section(u'\n', 0, 9), want.section(u'\n', 0, 9));
    QVERIFY(!want.isEmpty());
}

void TestNightCommand::programPrintsNight_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error"); ///< in standard error; empty: nothing there

    QTest::newRow("to the terminal") << QStringLiteral("exec \"$0\" \"$@\"") << 0 << QString();
    QTest::newRow("to a full disk") << QStringLiteral("exec \"$0\" \"$@\" >/dev/full") << 1
                                    << "Die Ausgabe konnte nicht geschrieben werden "
                                       "(Datenträger voll)";
    QTest::newRow("to a closed output")
        << QStringLiteral("exec \"$0\" \"$@\" >&-") << 1
        << "Die Ausgabe konnte nicht geschrieben werden (Ausgabe geschlossen)";
    QTest::newRow("to a reader that is gone")
        << QStringLiteral("trap '' PIPE; \"$0\" \"$@\" | :") << 0 << QString();
}

void TestNightCommand::programPrintsNight()
{
    QFETCH(QString, script);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    // The program itself, without a display, on the delivered sites (Berlin first).
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("/bin/sh"),
                {"-c", script, QStringLiteral(ZENITOR_EXECUTABLE), "--nacht", "--time",
                 "2026-12-08 23:30:00", "--winterzeit"});
    QVERIFY(shell.waitForFinished(30000));
    QCOMPARE(shell.exitStatus(), QProcess::NormalExit);
    QCOMPARE(shell.exitCode(), exitCode);
    const QString standardError = QString::fromUtf8(shell.readAllStandardError());
    QVERIFY2(error.isEmpty() ? standardError.isEmpty() : standardError.contains(error),
             qPrintable(standardError));
    if (exitCode == 0 && !script.contains(u'|'))
        QVERIFY(shell.readAllStandardOutput().startsWith(
            "Sonnenuntergang\t2026-12-08 15:5")); // Berlin's, about 15:52
}

QTEST_GUILESS_MAIN(TestNightCommand)
#include "tst_nightcommand.moc"
