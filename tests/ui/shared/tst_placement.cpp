// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window of the program opens beside the main window, and how far a one-line text
// shrinks to read whole.
#include "ui/shared/textfit.h"
#include "ui/shared/windowplacement.h"

#include <QFontMetricsF>
#include <QTest>

class TestPlacement : public QObject
{
    Q_OBJECT
private slots:
    void placeWithin_data();
    void placeWithin();
    void fittingPoints_data();
    void fittingPoints();
};

void TestPlacement::placeWithin_data()
{
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("placed");

    const QRect screen(0, 0, 1600, 1200);
    QTest::newRow("centred on the main window when there is room")
        << QRect(400, 300, 600, 450) << QSize(200, 100) << QRect(600, 475, 200, 100);
    // The case of a help window below a 1200 px screen: pushed up until its bottom shows.
    QTest::newRow("main window low on the screen: moved up")
        << QRect(1000, 900, 600, 450) << QSize(724, 745) << QRect(876, 455, 724, 745);
    QTest::newRow("main window off the left top: moved right and down")
        << QRect(-500, -300, 600, 450) << QSize(400, 300) << QRect(0, 0, 400, 300);
    QTest::newRow("taller than the screen: shrunk, title bar at the top")
        << QRect(0, 0, 600, 450) << QSize(500, 1500) << QRect(50, 0, 500, 1200);
}

void TestPlacement::placeWithin()
{
    QFETCH(QRect, anchor);
    QFETCH(QSize, size);
    QFETCH(QRect, placed);
    const QRect screen(0, 0, 1600, 1200);
    QCOMPARE(::placeWithin(anchor, size, screen), placed);
    QVERIFY(screen.contains(::placeWithin(anchor, size, screen)));
}

void TestPlacement::fittingPoints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("shrunk");
    QTest::addColumn<bool>("atFloor");
    QTest::newRow("short text keeps its size") << "M 1" << 200 << false << false;
    QTest::newRow("longer text shrinks to fit") << "Fruehling im Garten" << 130 << true << false;
    QTest::newRow("far too long stops at the floor")
        << QString(200, QLatin1Char('x')) << 60 << true << true;
    QTest::newRow("empty text keeps its size") << QString() << 1 << false << false;
}

void TestPlacement::fittingPoints()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(bool, shrunk);
    QFETCH(bool, atFloor);
    QFont font;
    font.setPointSizeF(12);
    const double points = ::fittingPoints(font, text, width, 6);
    QCOMPARE(points < 12, shrunk);
    QCOMPARE(points == 6, atFloor);
    QFont fitted = font;
    fitted.setPointSizeF(points);
    if (shrunk && !atFloor) {
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(text) <= width);
        // The largest size that fits, to the search step.
        fitted.setPointSizeF(points + 0.1);
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(text) > width);
    }
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
