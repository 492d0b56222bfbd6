// SPDX-License-Identifier: GPL-3.0-or-later
// The "Sommerzeit" box is pre-set from the system's UTC offset and its caption is marked while
// the two disagree; no message box, no light.
#include "support/fakeservices.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/summertimeguard.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

class TestSummerTime : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { configureApplication(*qApp); }
    void boxAgainstSystemOffset_data();
    void boxAgainstSystemOffset();
    void offsetChangeIsNoticedWhenTheBoxIsTouched();
    void runningClockMarksTheChangeAtTheNextPass();
    void stoppedClockRechecksEveryMinute();
};

void TestSummerTime::boxAgainstSystemOffset_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<bool>("presetTicked");
    QTest::addColumn<bool>("markedAtStart");
    QTest::addColumn<bool>("markedWhenToggled");
    QTest::newRow("UTC+0: unticked, marked either way") << 0 << false << true << true;
    QTest::newRow("UTC+1: unticked and plain; ticking marks it") << 3600 << false << false << true;
    QTest::newRow("UTC+2: ticked and plain; unticking marks it") << 7200 << true << false << true;
    QTest::newRow("UTC+5:30: unticked, marked either way") << 19800 << false << true << true;
}

void TestSummerTime::boxAgainstSystemOffset()
{
    QFETCH(int, offset);
    QFETCH(bool, presetTicked);
    QFETCH(bool, markedAtStart);
    QFETCH(bool, markedWhenToggled);
    FakeServices fakes;
    fakes.time.utcOffsetSeconds = offset;
    RecordingMessages &messages = fakes.messages;
    Form1 window(fakes.forFolder(QStringLiteral(ZENITOR_SOURCE_DIR "/data")));
    auto *box = window.findChild<QCheckBox *>(QStringLiteral("Check1"));
    QVERIFY(box);
    QCOMPARE(box->isChecked(), presetTicked);
    QCOMPARE(box->text(),
             markedAtStart ? QStringLiteral("Sommerzeit (!)") : QStringLiteral("Sommerzeit"));
    QCOMPARE(box->toolTip().isEmpty(), !markedAtStart);
    box->click();
    QCOMPARE(box->isChecked(), !presetTicked);
    QCOMPARE(box->text(),
             markedWhenToggled ? QStringLiteral("Sommerzeit (!)") : QStringLiteral("Sommerzeit"));
    box->click();
    QCOMPARE(box->text(),
             markedAtStart ? QStringLiteral("Sommerzeit (!)") : QStringLiteral("Sommerzeit"));
    QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.join(u'\n')));
}

void TestSummerTime::offsetChangeIsNoticedWhenTheBoxIsTouched()
{
    FakeServices fakes;
    Form1 window(fakes.forFolder(QStringLiteral(ZENITOR_SOURCE_DIR "/data")));
    auto *box = window.findChild<QCheckBox *>(QStringLiteral("Check1"));
    QVERIFY(box && !box->isChecked());
    QCOMPARE(box->text(), QStringLiteral("Sommerzeit"));
    // The system switches to summer time during the night: the user's box now disagrees.
    fakes.time.utcOffsetSeconds = 7200;
    box->click();
    QCOMPARE(box->text(), QStringLiteral("Sommerzeit"));
    box->click();
    QCOMPARE(box->text(), QStringLiteral("Sommerzeit (!)"));
    QVERIFY(box->toolTip().contains(QStringLiteral("UTC+02:00")));
}

void TestSummerTime::runningClockMarksTheChangeAtTheNextPass()
{
    FakeServices fakes;
    Form1 window(fakes.forFolder(QStringLiteral(ZENITOR_SOURCE_DIR "/data")));
    auto *box = window.findChild<QCheckBox *>(QStringLiteral("Check1"));
    auto *start = window.findChild<QPushButton *>(QStringLiteral("Command1"));
    QVERIFY(box && start);
    QStringList captions;
    fakes.pause.script = [&](int wait) {
        captions.append(box->text());
        if (wait == 1) // the spring change, between two passes
            fakes.time.utcOffsetSeconds = 7200;
        if (wait == 2)
            fakes.pause.interrupt();
    };
    start->click();
    // The pass after the change is marked; the minute's check is not waited for.
    QCOMPARE(captions, (QStringList{"Sommerzeit", "Sommerzeit (!)"}));
    QVERIFY(box->toolTip().contains(QStringLiteral("UTC+02:00")));
}

void TestSummerTime::stoppedClockRechecksEveryMinute()
{
    FakeServices fakes;
    Form1 window(fakes.forFolder(QStringLiteral(ZENITOR_SOURCE_DIR "/data")));
    auto *box = window.findChild<QCheckBox *>(QStringLiteral("Check1"));
    auto *guard = box->findChild<SummerTimeGuard *>();
    QVERIFY(guard);
    const QTimer &recheck = guard->recheckTimer();
    QVERIFY(recheck.isActive());
    QCOMPARE(recheck.interval(), 60 * 1000);
    // The night's change while the clock stands: the minute's timeout marks it.
    fakes.time.utcOffsetSeconds = 7200;
    QCOMPARE(box->text(), QStringLiteral("Sommerzeit"));
    QMetaObject::invokeMethod(const_cast<QTimer *>(&recheck), "timeout");
    QCOMPARE(box->text(), QStringLiteral("Sommerzeit (!)"));
}

QTEST_MAIN(TestSummerTime)
#include "tst_summertime.moc"
