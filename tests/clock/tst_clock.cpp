// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/clockpause.h"
#include "clock/picturebox.h"
#include "clock/readouttext.h"
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void readoutsOfTheDecemberEvening();
    void stopEndsAfterExactlyOneMorePass();
    void inputsAreReadOnEveryPass_data();
    void inputsAreReadOnEveryPass();
    void greenwichInTheHourOfTheSpringChange();
    void stopWhileIdleChangesNothing();
    void oneStopEndsNestedStarts();
    void closingTheWindowEndsEveryRun();
    void emptyEntriesComputeForGreenwich();
    void overflowingSiteTextStaysReadable();
    void readoutsFitTheirBoxes();
    void fittedFontFollowsTheBox_data();
    void fittedFontFollowsTheBox();

    void dateTimeText_data();
    void dateTimeText();
    void pauseEndsJustAfterTheNextSecond_data();
    void pauseEndsJustAfterTheNextSecond();
    void realPauseWaitsForTheSecondToChange();
    void realPauseCanBeInterrupted();

private:
    void enterDecemberCase();
    /// Runs Start; the script stops the clock at the given wait.
    void runUntilStopAtWait(int wait);

    std::unique_ptr<TestMainWindow> fixture;
    FakeServices *fakes = nullptr;
    Form1 *window = nullptr;
};

void TestClock::initTestCase()
{
    configureApplication(*qApp);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestClock::init()
{
    fixture = std::make_unique<TestMainWindow>();
    fakes = &fixture->fakes;
    window = fixture->window.get();
}

void TestClock::cleanup()
{
    fixture.reset();
    fakes = nullptr;
    window = nullptr;
}

void TestClock::enterDecemberCase()
{
    fakes->time.now = QDateTime(QDate(2026, 12, 8), QTime(23, 30, 0));
    controlsOf(*window).Combo1->setEditText(QStringLiteral("13.4 Testort"));
    controlsOf(*window).Text1->setText(QStringLiteral("5"));
    controlsOf(*window).Text3->setText(QStringLiteral("34"));
    controlsOf(*window).Text4->setText(QStringLiteral("32"));
    controlsOf(*window).Check1->setChecked(false);
}

void TestClock::runUntilStopAtWait(int wait)
{
    auto previous = fakes->pause.script;
    fakes->pause.script = [this, wait, previous](int number) {
        if (previous)
            previous(number);
        if (number == wait)
            controlsOf(*window).Command2->click();
    };
    controlsOf(*window).Command1->click();
}

void TestClock::readoutsOfTheDecemberEvening()
{
    enterDecemberCase();
    runUntilStopAtWait(1);
    QCOMPARE(controlsOf(*window).Picture2->printedText(), QStringLiteral("4 h 34 m 21 s"));
    QCOMPARE(controlsOf(*window).Picture3->printedText(), QStringLiteral("22 h 59 m 49 s"));
    QCOMPARE(controlsOf(*window).Picture4->printedText(), QStringLiteral("08.12.2026 23:30:00"));
    QCOMPARE(controlsOf(*window).Picture1->printedText(), QStringLiteral("08.12.2026 22:30:00"));
}

void TestClock::stopEndsAfterExactlyOneMorePass()
{
    enterDecemberCase();
    QList<bool> endeEnabledDuringWaits;
    fakes->pause.script = [this, &endeEnabledDuringWaits](int) {
        endeEnabledDuringWaits.append(controlsOf(*window).Command4->isEnabled());
    };
    runUntilStopAtWait(3);
    // Passes 1-3 each followed by a wait, the third wait takes the Stop, pass 4 ends it.
    QCOMPARE(fakes->time.readings, 4 * 2);
    QCOMPARE(fakes->pause.waits, 3);
    QCOMPARE(endeEnabledDuringWaits, QList<bool>({false, false, false}));
    // The run is over: "Ende" is back and no pass follows.
    QVERIFY(controlsOf(*window).Command4->isEnabled());
    QCoreApplication::processEvents();
    QCOMPARE(fakes->time.readings, 4 * 2);
}

void TestClock::inputsAreReadOnEveryPass_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("sidereal");
    QTest::addColumn<QString>("hourAngle");
    QTest::addColumn<QString>("greenwich");
    QTest::newRow("right ascension hours") << "Text1"
                                           << "4"
                                           << "4 h 34 m 21 s"
                                           << "23 h 59 m 49 s"
                                           << "08.12.2026 22:30:00";
    QTest::newRow("site longitude 15 E shifts by 6.4 minutes") << "Combo1"
                                                               << "14.9"
                                                               << "4 h 40 m 21 s"
                                                               << "23 h 5 m 49 s"
                                                               << "08.12.2026 22:30:00";
    QTest::newRow("Sommerzeit ticked moves Greenwich back an hour") << "Check1"
                                                                    << ""
                                                                    << "3 h 34 m 11 s"
                                                                    << "21 h 59 m 39 s"
                                                                    << "08.12.2026 21:30:00";
}

void TestClock::inputsAreReadOnEveryPass()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, sidereal);
    QFETCH(QString, hourAngle);
    QFETCH(QString, greenwich);
    enterDecemberCase();
    fakes->pause.script = [&](int number) {
        if (number != 1)
            return;
        if (field == QLatin1String("Check1"))
            controlsOf(*window).Check1->setChecked(true);
        else if (field == QLatin1String("Combo1"))
            controlsOf(*window).Combo1->setEditText(value);
        else
            controlsOf(*window).Text1->setText(value);
    };
    runUntilStopAtWait(1);
    QCOMPARE(controlsOf(*window).Picture2->printedText(), sidereal);
    QCOMPARE(controlsOf(*window).Picture3->printedText(), hourAngle);
    QCOMPARE(controlsOf(*window).Picture1->printedText(), greenwich);
    QCOMPARE(controlsOf(*window).Picture4->printedText(), QStringLiteral("08.12.2026 23:30:00"));
}

void TestClock::greenwichInTheHourOfTheSpringChange()
{
    // Two hours before 04:30 summer time is 02:30 UTC, an hour that local time skips.
    enterDecemberCase();
    fakes->time.now = QDateTime(QDate(2026, 3, 29), QTime(4, 30, 0));
    controlsOf(*window).Check1->setChecked(true);
    runUntilStopAtWait(1);
    QCOMPARE(controlsOf(*window).Picture1->printedText(), QStringLiteral("29.03.2026 02:30:00"));
    // Qt 6.4 prints the fields of a local date-time that does not exist; it is invalid, though.
    QVERIFY(toQDateTime({2026, 3, 29, 2, 30, 0}).isValid());
}

void TestClock::stopWhileIdleChangesNothing()
{
    controlsOf(*window).Command2->click();
    QCOMPARE(fakes->time.readings, 0);
    QVERIFY(controlsOf(*window).Picture2->printedText().isEmpty());
    QVERIFY(controlsOf(*window).Command4->isEnabled());

    enterDecemberCase();
    runUntilStopAtWait(2);
    QCOMPARE(fakes->time.readings, 3 * 2);
    QCOMPARE(controlsOf(*window).Picture2->printedText(), QStringLiteral("4 h 34 m 21 s"));
}

void TestClock::oneStopEndsNestedStarts()
{
    enterDecemberCase();
    int nestedStarts = 0;
    fakes->pause.script = [&](int number) {
        // The second Start arrives during the first run's first pause.
        if (number == 1 && nestedStarts++ == 0)
            controlsOf(*window).Command1->click();
        if (number == 3)
            controlsOf(*window).Command2->click();
    };
    controlsOf(*window).Command1->click();
    // Outer pass, nested passes 2-4 (the last after Stop), one last outer pass.
    QCOMPARE(fakes->time.readings, 5 * 2);
    QVERIFY(controlsOf(*window).Command4->isEnabled());
}

void TestClock::closingTheWindowEndsEveryRun()
{
    enterDecemberCase();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    fakes->pause.script = [this](int number) {
        if (number == 1)
            controlsOf(*window).Command1->click();
        if (number == 2)
            window->close();
    };
    controlsOf(*window).Command1->click();
    // No pass after the close, and no run left behind.
    QCOMPARE(fakes->time.readings, 2 * 2);
    QVERIFY(controlsOf(*window).Command4->isEnabled());
    QVERIFY(!window->isVisible());
    QCOMPARE(fakes->pause.waits, 2);

    // Nor a run's ending: started again, the clock runs until its own Stop.
    fakes->pause.interrupted = false;
    fakes->pause.script = nullptr;
    runUntilStopAtWait(4);
    QCOMPARE(fakes->time.readings, (2 + 3) * 2);
}

void TestClock::emptyEntriesComputeForGreenwich()
{
    fakes->time.now = QDateTime(QDate(2000, 1, 1), QTime(13, 0, 0));
    controlsOf(*window).Combo1->setEditText(QString());
    runUntilStopAtWait(1);
    QCOMPARE(controlsOf(*window).Picture2->printedText(), QStringLiteral("18 h 41 m 50 s"));
    QCOMPARE(controlsOf(*window).Picture3->printedText(),
             controlsOf(*window).Picture2->printedText());
}

void TestClock::overflowingSiteTextStaysReadable()
{
    enterDecemberCase();
    controlsOf(*window).Combo1->setEditText(QString(400, u'9'));
    runUntilStopAtWait(1);
    QCOMPARE(controlsOf(*window).Picture2->printedText(), QStringLiteral("0 h 0 m 0 s"));
    QCOMPARE(controlsOf(*window).Picture4->printedText(), QStringLiteral("08.12.2026 23:30:00"));
}

void TestClock::readoutsFitTheirBoxes()
{
    enterDecemberCase();
    runUntilStopAtWait(1);
    for (PictureBox *box : {controlsOf(*window).Picture1, controlsOf(*window).Picture2,
                            controlsOf(*window).Picture3, controlsOf(*window).Picture4}) {
        const QFontMetricsF metrics(box->printingFont());
        const QString line = box->printedText();
        QVERIFY2(metrics.horizontalAdvance(line) <= box->width() &&
                     metrics.height() <= box->height(),
                 qPrintable(QStringLiteral("%1: '%2' is %3 x %4 px in a %5 x %6 px box")
                                .arg(box->objectName(), line)
                                .arg(metrics.horizontalAdvance(line))
                                .arg(metrics.height())
                                .arg(box->width())
                                .arg(box->height())));
        QVERIFY(box->printingFont().pointSizeF() <= box->font().pointSizeF());
    }
    // The sidereal readout fits at its own size and must not be shrunk.
    QCOMPARE(controlsOf(*window).Picture2->printingFont().pointSizeF(),
             controlsOf(*window).Picture2->font().pointSizeF());
}

void TestClock::fittedFontFollowsTheBox_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("text");
    // Each row changes one thing that the fitted font depends on.
    QTest::newRow("narrower box") << QSize(150, 41) << 18.0 << "22 h 59 m 49 s";
    QTest::newRow("lower box") << QSize(289, 20) << 18.0 << "22 h 59 m 49 s";
    QTest::newRow("smaller font") << QSize(289, 41) << 12.0 << "22 h 59 m 49 s";
    QTest::newRow("longer line") << QSize(289, 41) << 18.0 << "-22 h 59 m 49 s / -22 h 59 m 49 s";
}

void TestClock::fittedFontFollowsTheBox()
{
    QFETCH(QSize, size);
    QFETCH(double, points);
    QFETCH(QString, text);
    const auto setUp = [](PictureBox &box, QSize boxSize, double boxPoints, const QString &line) {
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPointSizeF(boxPoints);
        box.setFont(font);
        box.resize(boxSize);
        box.Print(line);
    };
    const QSize designSize(289, 41);
    const QString designText = QStringLiteral("22 h 59 m 49 s");

    // A box that has printed once, then changed, prints as a new box with its new
    // settings would, and back again.
    PictureBox box;
    setUp(box, designSize, 18, designText);
    const QFont first = box.printingFont();
    setUp(box, size, points, text);
    PictureBox fresh;
    setUp(fresh, size, points, text);
    QCOMPARE(box.printingFont(), fresh.printingFont());
    QVERIFY(box.printingFont() != first);
    setUp(box, designSize, 18, designText);
    QCOMPARE(box.printingFont(), first);
}

void TestClock::dateTimeText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("German: four-digit year, no time zone")
        << QLocale(QLocale::German, QLocale::Germany) << "08.12.2026 23:30:05";
    QTest::newRow("British") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                             << "08/12/2026 23:30:05";
    // No regional format set (LANG=C or POSIX): the German interface's dates.
    QTest::newRow("C locale: German") << QLocale::c() << "08.12.2026 23:30:05";
}

void TestClock::dateTimeText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QCOMPARE(DateTimeText(QDateTime(QDate(2026, 12, 8), QTime(23, 30, 5)), locale), text);
}

void TestClock::pauseEndsJustAfterTheNextSecond_data()
{
    QTest::addColumn<qint64>("wallClock");
    QTest::addColumn<int>("wait");
    QTest::newRow("on the second: the next one") << qint64(1'000'000) << 1020;
    QTest::newRow("early in the second") << qint64(1'000'300) << 720;
    QTest::newRow("half way: still the next one") << qint64(1'000'500) << 520;
    QTest::newRow("late: the one after, at least half a second") << qint64(1'000'501) << 1519;
    QTest::newRow("just before the change") << qint64(1'000'999) << 1021;
}

void TestClock::pauseEndsJustAfterTheNextSecond()
{
    QFETCH(qint64, wallClock);
    QFETCH(int, wait);
    QCOMPARE(EventLoopPause::millisecondsToWait(wallClock), wait);
}

void TestClock::realPauseWaitsForTheSecondToChange()
{
    EventLoopPause pause;
    bool eventProcessed = false;
    QTimer::singleShot(10, [&] { eventProcessed = true; });
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    QElapsedTimer monotonic;
    monotonic.start();
    QVERIFY(pause.waitForNextSecond());
    const qint64 after = QDateTime::currentMSecsSinceEpoch();
    QVERIFY2(after / 1000 > before / 1000, "the displayed second must have moved on");
    QVERIFY2(monotonic.elapsed() >= 500, qPrintable(QString::number(monotonic.elapsed())));
    QVERIFY2(eventProcessed, "window events must be processed during the pause");
}

void TestClock::realPauseCanBeInterrupted()
{
    EventLoopPause pause;
    QTimer::singleShot(20, [&] { pause.interrupt(); });
    QElapsedTimer monotonic;
    monotonic.start();
    QVERIFY(!pause.waitForNextSecond());
    QVERIFY2(monotonic.elapsed() < 500, qPrintable(QString::number(monotonic.elapsed())));
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
