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
#include <QDir>
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

QString settingsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString settingsPath()
{
    return settingsFolder() + QStringLiteral("/zenitor.conf");
}

/// Ticks or unticks the entry as the observer does, through a fresh menu; its state before.
bool toggleNight(Form1 *window)
{
    const std::unique_ptr<QMenu> menu(window->createBackgroundMenu());
    const bool before = nightAction(menu.get())->isChecked();
    nightAction(menu.get())->trigger();
    return before;
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
    void choiceHoldsForTheSessionWhenNotKept_data();
    void choiceHoldsForTheSessionWhenNotKept();
    void oversizedSettingsAreIgnored();

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

void TestNightWindows::choiceHoldsForTheSessionWhenNotKept_data()
{
    // As root a missing write permission fails nothing; these obstacles fail for everyone.
    QTest::addColumn<bool>("fileIsAFolder"); ///< else the settings folder is a file
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder in place of the file")
        << true << "an Stelle der Datei steht ein Ordner";
    QTest::newRow("a file in place of the folder") << false << "nicht beschreibbar";
}

void TestNightWindows::choiceHoldsForTheSessionWhenNotKept()
{
    QFETCH(bool, fileIsAFolder);
    QFETCH(QString, reason);
    const QString blocked = fileIsAFolder ? settingsPath() : settingsFolder();
    QDir(settingsFolder()).removeRecursively();
    if (fileIsAFolder) {
        QVERIFY(QDir().mkpath(blocked));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(blocked).absolutePath()));
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const QStringList &shown = fixture->fakes.messages.shown;

    QCOMPARE(toggleNight(window), false);
    openBoth();
    checkNight(window->editorWindow());
    checkNight(window->helpWindow());
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.constFirst().contains(QStringLiteral("gilt nur bis zum Programmende")) &&
                 shown.constFirst().contains(reason),
             qPrintable(shown.constFirst()));
    // Said once: switching again works and stays silent.
    QCOMPARE(toggleNight(window), true);
    checkDesigned();
    QCOMPARE(toggleNight(window), false);
    QCOMPARE(shown.size(), 1);

    // Once the file can be written again, it keeps the choice.
    if (fileIsAFolder)
        QVERIFY(QDir(blocked).removeRecursively());
    else
        QVERIFY(QFile::remove(blocked));
    QCOMPARE(toggleNight(window), true);
    QVERIFY(QFileInfo(settingsPath()).isFile());
    QVERIFY(!AllWindowsNight::isChosen());
}

void TestNightWindows::oversizedSettingsAreIgnored()
{
    QVERIFY(QDir().mkpath(settingsFolder()));
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[General]\nallWindowsNight=true\n");
    file.write(QByteArray(AllWindowsNight::MAX_SETTINGS_BYTES, ';') + '\n');
    file.close();
    const qint64 size = file.size();
    const QStringList &shown = fixture->fakes.messages.shown;

    // Not read: the designed look, with a word why.
    QCOMPARE(toggleNight(window), false);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.constFirst().contains(QStringLiteral("größer als 64 KiB")),
             qPrintable(shown.constFirst()));
    // The choice holds for the session; the file is left as it is.
    window->Command5_Click();
    QVERIFY(QTest::qWaitForWindowExposed(window->helpWindow()));
    checkNight(window->helpWindow());
    QCOMPARE(QFileInfo(settingsPath()).size(), size);
    QCOMPARE(shown.size(), 1);

    QVERIFY(QFile::remove(settingsPath()));
    QCOMPARE(toggleNight(window), true); // the file serves again
}

QTEST_MAIN(TestNightWindows)
#include "tst_nightwindows.moc"
