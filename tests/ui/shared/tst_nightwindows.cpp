// SPDX-License-Identifier: GPL-3.0-or-later
// "Alle Fenster in Nachtfarben" in the main window's background menu: when chosen, the editor
// and the help window (and what opens from them) are red on black like the main window; the
// designed look is the default; the choice is kept across starts.
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "support/pixels.h"
#include "support/popups.h"
#include "ui/editor/form2.h"
#include "ui/help/form3.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"
#include "ui/shared/nightchoice.h"
#include "ui/shared/nightvision.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStandardPaths>
#include <QTest>

#include <memory>

namespace {

const QColor WHITE(255, 255, 255);
const QColor GREEN(0, 128, 0);

QAction *nightAction(QMenu *menu)
{
    return menu->findChild<QAction *>(QStringLiteral("allWindowsNight"));
}

} // namespace

class TestNightWindows : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void designedLookByDefault();
    void switchColoursBothWindows_data();
    void switchColoursBothWindows();
    void editorPopupsFollow();
    void choiceKeptAcrossStarts();
    void menuOnlyOnTheBackground_data();
    void menuOnlyOnTheBackground();

private:
    void openBoth();
    void checkNight(QWidget *window);
    void checkDesigned();

    std::unique_ptr<TestMainWindow> fixture;
    Form1 *window = nullptr;
};

void TestNightWindows::initTestCase()
{
    // The choice is stored in the user's settings: tests keep theirs apart.
    QStandardPaths::setTestModeEnabled(true);
    configureApplication(*qApp);
}

void TestNightWindows::init()
{
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                  QStringLiteral("/zenitor.conf"));
    // The delivered lists, so "Edit" opens the first one.
    fixture = std::make_unique<TestMainWindow>(ZENITOR_SOURCE_DIR "/data");
    window = fixture->window.get();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestNightWindows::cleanup()
{
    if (window) {
        delete window->editorWindow();
        delete window->helpWindow();
    }
    fixture.reset();
    window = nullptr;
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                  QStringLiteral("/zenitor.conf"));
}

void TestNightWindows::openBoth()
{
    window->Command3_Click();
    window->Command5_Click();
    QVERIFY(window->editorWindow() && window->helpWindow());
    QVERIFY(QTest::qWaitForWindowExposed(window->editorWindow()));
    QVERIFY(QTest::qWaitForWindowExposed(window->helpWindow()));
}

void TestNightWindows::checkNight(QWidget *shown)
{
    const QString light = firstLightPixel(shown->grab().toImage());
    QVERIFY2(light.isEmpty(),
             qPrintable(shown->objectName() + QStringLiteral(": light pixel ") + light));
}

void TestNightWindows::checkDesigned()
{
    // The white page with its green headings, and the editor's white text field.
    const QImage help = window->helpWindow()->grab().toImage();
    QCOMPARE(help.pixelColor(3, 300), WHITE);
    QVERIFY2(showsColour(window->helpWindow()->Label3->grab().toImage(), GREEN),
             "no green heading");
    const QImage field = controlsOf(*window->editorWindow()).Text1->viewport()->grab().toImage();
    QCOMPARE(field.pixelColor(field.width() - 3, field.height() - 3), WHITE);
    QVERIFY(!NightVision::belongsToNightWindow(window->editorWindow()));
}

void TestNightWindows::designedLookByDefault()
{
    openBoth();
    checkDesigned();
}

void TestNightWindows::switchColoursBothWindows_data()
{
    QTest::addColumn<bool>("openFirst");
    QTest::newRow("windows opened after switching") << false;
    QTest::newRow("windows open while switching") << true;
}

void TestNightWindows::switchColoursBothWindows()
{
    QFETCH(bool, openFirst);
    if (openFirst)
        openBoth();
    QPointer<QMenu> menu = window->createBackgroundMenu();
    QAction *night = nightAction(menu);
    QVERIFY(night && night->isCheckable() && !night->isChecked());
    QCOMPARE(night->text(), QStringLiteral("Alle Fenster in Nachtfarben"));
    night->trigger();
    delete menu;
    if (!openFirst)
        openBoth();

    checkNight(window->editorWindow());
    checkNight(window->helpWindow());
    // The page's text is there, in red: headings a shade of their own.
    const QImage heading = window->helpWindow()->Label3->grab().toImage();
    QVERIFY2(showsColour(heading, QColor(224, 0, 0)), "heading not in its red");
    QVERIFY(showsColour(window->helpWindow()->Label4->grab().toImage(), NightVision::text));

    // Off again: the windows open at that moment take their designed look back.
    menu = window->createBackgroundMenu();
    QVERIFY(nightAction(menu)->isChecked());
    nightAction(menu)->trigger();
    delete menu;
    checkDesigned();
}

void TestNightWindows::editorPopupsFollow()
{
    window->setAllWindowsNight(true);
    openBoth();
    // The editor's message boxes and its text field's context menu.
    QVERIFY(NightVision::belongsToNightWindow(controlsOf(*window->editorWindow()).Text1));
    QPlainTextEdit *text = controlsOf(*window->editorWindow()).Text1;
    QPointer<QWidget> menu = openContextMenu(text->viewport(), text);
    QVERIFY(menu);
    checkNight(menu);
    menu->close();
}

void TestNightWindows::choiceKeptAcrossStarts()
{
    QVERIFY(!AllWindowsNight::isChosen());
    window->setAllWindowsNight(true);
    fixture.reset();
    window = nullptr;

    // A new start: the menu shows the choice, and the help window opens in night colours.
    fixture = std::make_unique<TestMainWindow>(ZENITOR_SOURCE_DIR "/data");
    window = fixture->window.get();
    window->show();
    const std::unique_ptr<QMenu> menu(window->createBackgroundMenu());
    QVERIFY(nightAction(menu.get())->isChecked());
    window->Command5_Click();
    QVERIFY(QTest::qWaitForWindowExposed(window->helpWindow()));
    checkNight(window->helpWindow());
}

void TestNightWindows::menuOnlyOnTheBackground_data()
{
    QTest::addColumn<QPoint>("point"); // client pixels at the design size
    QTest::addColumn<bool>("opens");
    QTest::newRow("background between Sommerzeit and Edit") << QPoint(233, 73) << true;
    QTest::newRow("background right of the readouts' captions") << QPoint(590, 300) << true;
    QTest::newRow("caption geografische Länge") << QPoint(20, 12) << false;
    QTest::newRow("sidereal time readout") << QPoint(400, 170) << false;
    QTest::newRow("Start button") << QPoint(40, 395) << false;
}

void TestNightWindows::menuOnlyOnTheBackground()
{
    QFETCH(QPoint, point);
    QFETCH(bool, opens);
    QCOMPARE(window->childAt(point) == nullptr, opens);
    QWidget *target = window->childAt(point) ? window->childAt(point) : window;
    QContextMenuEvent event(QContextMenuEvent::Mouse, target->mapFrom(window, point),
                            window->mapToGlobal(point));
    QApplication::sendEvent(target, &event);
    if (!opens) {
        QTest::qWait(50);
        QVERIFY(!QApplication::activePopupWidget());
        return;
    }
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    QPointer<QMenu> menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(nightAction(menu));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    // Red on black like the window it opens from.
    checkNight(menu);
    menu->close();
    QTRY_VERIFY(!menu); // deleted on close
}

QTEST_MAIN(TestNightWindows)
#include "tst_nightwindows.moc"
