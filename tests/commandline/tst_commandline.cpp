// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: --help and --version answer without a window, unknown options are refused,
// Qt's own options still reach the window.
#include "commandline/commandline.h"
#include "commandline/displaycheck.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outcome_data();
    void outcome();
    void missingDisplay_data();
    void missingDisplay();
    void programAnswersWithoutDisplay_data();
    void programAnswersWithoutDisplay();
};

void TestCommandLine::initTestCase()
{
    configureApplication(*qApp);
}

void TestCommandLine::outcome_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("startWindow");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("inOutput"); ///< empty: nothing may be printed there
    QTest::addColumn<QStringList>("inError");

    const QStringList helpTexts{"Aufruf: ",
                                " [Optionen]",
                                "Stundenwinkel",
                                "-h, --help",
                                "Zeigt diese Hilfe an.",
                                "-v, --version",
                                "Zeigt die Versionsnummer an.",
                                "--plan",
                                "--nacht",
                                "Gibt die Nacht aus"};

    QTest::newRow("no arguments") << QStringList{"zenitor"} << true << 0 << QStringList()
                                  << QStringList();
    QTest::newRow("Qt's own options are left to the window")
        << QStringList{"/usr/bin/zenitor", "-platform", "offscreen", "-style=fusion",
                       "--reverse",        "-display",  ":1"}
        << true << 0 << QStringList() << QStringList();
    QTest::newRow("--version") << QStringList{"zenitor", "--version"} << false << 0
                               << QStringList{"Zenitor 2.1\n"} << QStringList();
    QTest::newRow("-v") << QStringList{"zenitor", "-v"} << false << 0
                        << QStringList{"Zenitor 2.1\n"} << QStringList();
    QTest::newRow("--help") << QStringList{"/usr/bin/zenitor", "--help"} << false << 0 << helpTexts
                            << QStringList();
    QTest::newRow("-h beside a Qt option") << QStringList{"zenitor", "-platform", "xcb", "-h"}
                                           << false << 0 << helpTexts << QStringList();
    QTest::newRow("unknown long option")
        << QStringList{"zenitor", "--bogus"} << false << 2 << QStringList()
        << QStringList{"zenitor: Unbekannte Option 'bogus'.", "zenitor --help"};
    QTest::newRow("unknown option beside --version")
        << QStringList{"zenitor", "--version", "-x"} << false << 2 << QStringList()
        << QStringList{"Unbekannte Option 'x'."};
    QTest::newRow("a file name is refused like an unknown option")
        << QStringList{"zenitor", "Sommer.txt"} << false << 2 << QStringList()
        << QStringList{"zenitor: Unbekanntes Argument 'Sommer.txt'.", "zenitor --help"};
    QTest::newRow("a stray word after a Qt option's value")
        << QStringList{"zenitor", "-platform", "offscreen", "jetzt"} << false << 2 << QStringList()
        << QStringList{"Unbekanntes Argument 'jetzt'."};
    QTest::newRow("Qt option without its value")
        << QStringList{"zenitor", "-platform"} << false << 2 << QStringList()
        << QStringList{"Nach '-platform' fehlt der Wert."};
}

void TestCommandLine::outcome()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, startWindow);
    QFETCH(int, exitCode);
    QFETCH(QStringList, inOutput);
    QFETCH(QStringList, inError);

    const CommandLineOutcome outcome = readCommandLine(arguments);
    QCOMPARE(outcome.startWindow, startWindow);
    QCOMPARE(outcome.exitCode, exitCode);
    QCOMPARE(outcome.standardOutput.isEmpty(), inOutput.isEmpty());
    QCOMPARE(outcome.standardError.isEmpty(), inError.isEmpty());
    for (const QString &text : inOutput)
        QVERIFY2(outcome.standardOutput.contains(text), qPrintable(outcome.standardOutput));
    for (const QString &text : inError)
        QVERIFY2(outcome.standardError.contains(text), qPrintable(outcome.standardError));
    // Qt's own options work but are not this program's to explain.
    QVERIFY(!outcome.standardOutput.contains(QLatin1String("platform")));
}

void TestCommandLine::missingDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment"); ///< NAME=value
    QTest::addColumn<bool>("refused");

    QTest::newRow("nothing set: refused") << QStringList{"zenitor"} << QStringList() << true;
    QTest::newRow("X display set") << QStringList{"zenitor"} << QStringList{"DISPLAY=:0"} << false;
    QTest::newRow("Wayland display set")
        << QStringList{"zenitor"} << QStringList{"WAYLAND_DISPLAY=wayland-0"} << false;
    QTest::newRow("offscreen chosen in the environment")
        << QStringList{"zenitor"} << QStringList{"QT_QPA_PLATFORM=offscreen"} << false;
    QTest::newRow("offscreen chosen on the command line")
        << QStringList{"zenitor", "-platform", "offscreen"} << QStringList() << false;
    QTest::newRow("-platform=vnc form")
        << QStringList{"zenitor", "-platform=vnc"} << QStringList() << false;
    QTest::newRow("X11 chosen explicitly without a display")
        << QStringList{"zenitor"} << QStringList{"QT_QPA_PLATFORM=xcb"} << true;
    QTest::newRow("X11 chosen explicitly: Wayland does not help")
        << QStringList{"zenitor", "-platform", "xcb"} << QStringList{"WAYLAND_DISPLAY=wayland-0"}
        << true;
    QTest::newRow("X11 display given on the command line")
        << QStringList{"zenitor", "-display", ":1"} << QStringList() << false;
}

void TestCommandLine::missingDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(bool, refused);

    const std::optional<QString> message =
        missingDisplayMessage(arguments, [&environment](const char *name) {
            const QString prefix = QString::fromLatin1(name) + QLatin1Char('=');
            for (const QString &entry : environment)
                if (entry.startsWith(prefix))
                    return entry.mid(prefix.size());
            return QString();
        });
    QCOMPARE(message.has_value(), refused);
    if (refused)
        QVERIFY2(message->startsWith(QStringLiteral("zenitor: Keine grafische Oberfläche")),
                 qPrintable(*message));
}

void TestCommandLine::programAnswersWithoutDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("error");

    QTest::newRow("--version") << "--version" << 0 << "Zenitor 2.1\n"
                               << "";
    QTest::newRow("--help") << "--help" << 0 << "Aufruf: "
                            << "";
    QTest::newRow("--bogus") << "--bogus" << 2 << ""
                             << "Unbekannte Option 'bogus'.";
    QTest::newRow("no option: the window cannot open, said in German instead of an abort")
        << "" << 1 << ""
        << "Keine grafische Oberfläche gefunden";
}

void TestCommandLine::programAnswersWithoutDisplay()
{
    QFETCH(QString, option);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, error);

    // No display and no platform chosen: opening a window would fail or hang.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZENITOR_EXECUTABLE),
                  option.isEmpty() ? QStringList() : QStringList{option});
    QVERIFY(program.waitForFinished(20000));
    const QString standardOutput = QString::fromUtf8(program.readAllStandardOutput());
    const QString standardError = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    QCOMPARE(standardOutput.isEmpty(), output.isEmpty());
    QVERIFY2(standardOutput.contains(output), qPrintable(standardOutput));
    QVERIFY2(error.isEmpty() ? standardError.isEmpty() : standardError.contains(error),
             qPrintable(standardError));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
