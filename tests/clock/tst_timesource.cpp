// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/timesource.h"

#include <QTest>

#include <ctime>

class TestTimeSource : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { savedZone = qgetenv("TZ"); }
    void cleanup()
    {
        qputenv("TZ", savedZone);
        tzset();
    }

    void readsTheSystemZoneAsQtDoes_data();
    void readsTheSystemZoneAsQtDoes();

private:
    QByteArray savedZone;
};

void TestTimeSource::readsTheSystemZoneAsQtDoes_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::newRow("central Europe") << QByteArray("Europe/Berlin");
    QTest::newRow("half an hour west") << QByteArray("America/St_Johns");
    QTest::newRow("half an hour east") << QByteArray("Asia/Kolkata");
    QTest::newRow("UTC") << QByteArray("UTC");
    QTest::newRow("a rule, no file") << QByteArray("CET-1CEST,M3.5.0,M10.5.0/3");
}

// The same wall clock and offset as Qt's own local time, whole seconds, in the zone set at the
// time the source is made.
void TestTimeSource::readsTheSystemZoneAsQtDoes()
{
    QFETCH(QByteArray, zone);
    qputenv("TZ", zone);
    SystemTimeSource source;

    // Nothing before the source may look at the zone: Qt's reading would set it for all.
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    const QDateTime local = source.currentLocalTime();
    const int offset = source.currentUtcOffsetSeconds();
    const QDateTime after = QDateTime::currentDateTime();

    QCOMPARE(offset, after.offsetFromUtc());
    QCOMPARE(local.offsetFromUtc(), offset);
    QCOMPARE(local.time().msec(), 0);
    QVERIFY(before <= local.toSecsSinceEpoch());
    QVERIFY(local.toSecsSinceEpoch() <= after.toSecsSinceEpoch());
    const QDateTime qtLocal = QDateTime::fromSecsSinceEpoch(local.toSecsSinceEpoch());
    QCOMPARE(local.date(), qtLocal.date());
    QCOMPARE(local.time(), qtLocal.time());
}

QTEST_GUILESS_MAIN(TestTimeSource)
#include "tst_timesource.moc"
