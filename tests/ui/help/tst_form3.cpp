// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "ui/help/form3.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"
#include "ui/shared/captionlabel.h"

#include "catalogue/datalocation.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const QStringList SERIF_FAMILIES = {QStringLiteral("Times New Roman"),
                                    QStringLiteral("Liberation Serif")};
const QStringList SANS_FAMILIES = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
const QColor RED(255, 0, 0);
const QColor GREEN(0, 128, 0);
const QColor BLACK(0, 0, 0);
const QColor WHITE(255, 255, 255);

/// The data folder of a package install, per user; the page names it.
QString packageDataFolder()
{
    return QDir::homePath() + QStringLiteral("/.local/share/zenitor");
}

QLabel *findLabel(Form3 &page, const QString &name)
{
    return page.findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
}

int channelDistance(const QColor &a, const QColor &b)
{
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

// Small regular glyphs are antialiased and may never hit the text colour exactly, so the
// check asks for the pixel nearest to it, channel by channel.
QColor nearestPixel(const QImage &image, const QColor &colour)
{
    QColor nearest = image.pixelColor(0, 0);
    int nearestDistance = 256;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = channelDistance(pixel, colour);
            if (distance < nearestDistance) {
                nearest = pixel;
                nearestDistance = distance;
            }
        }
    }
    return nearest;
}

QList<Form3 *> helpWindows()
{
    QList<Form3 *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *page = qobject_cast<Form3 *>(widget))
            found.append(page);
    }
    return found;
}

void destroyClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void window();
    void labels_data();
    void labels();
    void textFitsBox_data();
    void textFitsBox();
    void lowerLabelLiesInFront_data();
    void lowerLabelLiesInFront();
    void resizeMovesNothing();
    void pageNamesTheDataFolderInUse_data();
    void pageNamesTheDataFolderInUse();
    void closingDestroysWindow();
    void nightBodyTextAsLargeAsDesigned_data();
    void nightBodyTextAsLargeAsDesigned();
    void hilfeTwiceGivesOneWindow();
    void hilfeAfterClosingLoadsAfresh();
    void hilfeWhileClockRuns();
    void endeLeavesHelpWindowOpen();
    void cleanup();
};

// The page must look right under the program's own style and application palette.
void TestForm3::initTestCase()
{
    configureApplication(*qApp);
}

void TestForm3::window()
{
    Form3 page(packageDataFolder());
    QCOMPARE(page.windowTitle(), QStringLiteral("Hilfe"));
    // The designed page, 712 x 515, and below it the section on what this program adds.
    QCOMPARE(page.size(), QSize(712, 713));
    QVERIFY(page.isWindow());
    QVERIFY(page.testAttribute(Qt::WA_DeleteOnClose) || !"closing must unload the window");
    QVERIFY(!page.testAttribute(Qt::WA_SetWindowIcon) || !"the window has no icon of its own");

    const Qt::WindowFlags flags = page.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(page.windowModality(), Qt::NonModal);

    // Left of every label lies bare page, which must be painted white.
    const QImage image = page.grab().toImage();
    QCOMPARE(image.pixelColor(3, 300).rgb(), WHITE.rgb());
    QCOMPARE(image.pixelColor(3, 3).rgb(), WHITE.rgb());
}

void TestForm3::labels_data()
{
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<double>("pointSize");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");            // exact text; empty for the long body texts
    QTest::addColumn<QStringList>("mustMention"); // words the long body texts have to carry

    // Geometry: design twips divided by 15 (e.g. Left 120 -> 8, Width 10455 -> 697).
    const QStringList none;
    QTest::newRow("Label1 title") << SERIF_FAMILIES << true << true << 12.0 << RED
                                  << QRect(8, 8, 177, 33) << QStringLiteral("Zenitor Version 2.1")
                                  << none;
    QTest::newRow("Label2 emphasis")
        << SANS_FAMILIES << true << false << 8.25 << BLACK << QRect(8, 32, 689, 25)
        << QStringLiteral(
               "Ein Programm zur Bestimmung des Stundenwinkels von Objekten als Beobachtungshilfe.")
        << none;
    QTest::newRow("Label3 heading")
        << SANS_FAMILIES << true << false << 8.25 << GREEN << QRect(8, 56, 705, 17)
        << QStringLiteral("1. Standort festlegen") << none;
    QTest::newRow("Label4 body: site")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 80, 689, 65) << QString()
        << QStringList{"„standort.txt“", "„~/.local/share/zenitor“", "geografische Länge",
                       "Dezimalzahl", "nicht gespeichert"};
    QTest::newRow("Label5 heading, typo kept")
        << SANS_FAMILIES << true << false << 8.25 << GREEN << QRect(8, 152, 601, 17)
        << QStringLiteral("2. Auswählen der Beobachtungobjektes") << none;
    QTest::newRow("Label6 body: object")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 176, 697, 65) << QString()
        << QStringList{"„Liste“",       "„Objekt“",    "Messier",
                       "Rektaszension", "Deklination", "nicht gespeichert"};
    QTest::newRow("Label7 heading")
        << SANS_FAMILIES << true << false << 8.25 << GREEN << QRect(8, 240, 601, 17)
        << QStringLiteral("3. Start und Beendigung der Uhr") << none;
    QTest::newRow("Label8 body: clock")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 264, 697, 49) << QString()
        << QStringList{"„Start“", "„Sommerzeit“", "„Stop“", "„Ende“"};
    QTest::newRow("Label9 heading")
        << SANS_FAMILIES << true << false << 8.25 << GREEN << QRect(8, 312, 601, 17)
        << QStringLiteral("4. Bearbeitung vorhandener und Erstellung neuer Objektlisten") << none;
    QTest::newRow("Label10 body: lists")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 336, 697, 49) << QString()
        << QStringList{"„Fruehling.txt“", "„Sommer.txt“", "„Herbst.txt“", "„Winter.txt“",
                       "„Edit“",          "„Liste“",      "„Info“"};
    QTest::newRow("Label11 body, short")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 384, 601, 17)
        << QStringLiteral(
               "Bei der Eingabe der Daten in die Datei entsprechende Datei ist folgender "
               "Syntax zu beachten:")
        << none;
    QTest::newRow("Label12 emphasis: line format")
        << SANS_FAMILIES << true << false << 8.25 << BLACK << QRect(8, 408, 601, 17)
        << QStringLiteral("Objekt;Rektaszension (hh:mm:ss);Deklination (grad:min:sek);Info")
        << none;
    QTest::newRow("Label13 body: semicolon")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 432, 697, 25) << QString()
        << QStringList{"Semikolon", "Info"};
    QTest::newRow("Label14 body: new lists")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 464, 697, 49) << QString()
        << QStringList{"„.txt“", "„~/.local/share/zenitor“", "„liste.txt“", "Datensatz"};
    // Below the designed page: what this program adds.
    QTest::newRow("Label15 heading: what this program adds")
        << SANS_FAMILIES << true << false << 8.25 << GREEN << QRect(8, 520, 697, 17)
        << QStringLiteral("5. Was dieses Programm ergänzt") << none;
    QTest::newRow("Label16 body: keys and plan")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 544, 697, 49) << QString()
        << QStringList{"F1", "Esc", "F2", "„Beobachtungsplan“", "F11", "Tab"};
    QTest::newRow("Label17 body: background menu, night colours, editor keys")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 592, 697, 49) << QString()
        << QStringList{"Rechtsklick", "Umschalt+F10", "Menütaste", "„Alle Fenster in Nachtfarben“",
                       "Strg+S"};
    QTest::newRow("Label18 body: latitude")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 640, 697, 33) << QString()
        << QStringList{"„standort.txt“", "zweites Feld", "geografische Breite", "52.52"};
    QTest::newRow("Label19 body: command line")
        << SANS_FAMILIES << false << false << 8.25 << BLACK << QRect(8, 672, 697, 33) << QString()
        << QStringList{"„zenitor --plan“", "„zenitor --nacht“", "„zenitor --help“"};
}

void TestForm3::labels()
{
    QFETCH(QStringList, families);
    QFETCH(bool, bold);
    QFETCH(bool, underline);
    QFETCH(double, pointSize);
    QFETCH(QColor, colour);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(QStringList, mustMention);

    Form3 page(packageDataFolder());
    const QString name = QString::fromLatin1(QTest::currentDataTag()).section(' ', 0, 0);
    QLabel *label = findLabel(page, name);
    QVERIFY2(label, qPrintable(name));

    const QFontInfo font(label->font());
    QVERIFY2(families.contains(font.family()), qPrintable("got family " + font.family()));
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.underline(), underline);
    QVERIFY2(std::abs(label->font().pointSizeF() - pointSize) < 0.01,
             qPrintable(QStringLiteral("point size: want %1, got %2")
                            .arg(pointSize)
                            .arg(label->font().pointSizeF())));

    QCOMPARE(label->geometry(), geometry);
    QVERIFY(label->wordWrap());
    QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);

    if (!text.isEmpty())
        QCOMPARE(label->text(), text);
    for (const QString &word : mustMention)
        QVERIFY2(label->text().contains(word), qPrintable("missing " + word));

    // The colours must reach the screen: opaque white box, text drawn in the style's colour.
    const QImage image = label->grab().toImage();
    QCOMPARE(image.pixelColor(0, 0).rgb(), WHITE.rgb());
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1).rgb(), WHITE.rgb());
    // Text colours differ by at least 128 in one channel, so 48 tells them apart.
    const QColor nearest = nearestPixel(image, colour);
    QVERIFY2(channelDistance(nearest, colour) <= 48,
             qPrintable(QStringLiteral("text colour: want %1, nearest pixel %2")
                            .arg(colour.name(), nearest.name())));
}

void TestForm3::textFitsBox_data()
{
    QTest::addColumn<QString>("name");
    for (int number = 1; number <= 19; ++number) {
        const QString name = QStringLiteral("Label%1").arg(number);
        QTest::newRow(qPrintable(name)) << name;
    }
}

void TestForm3::textFitsBox()
{
    QFETCH(QString, name);

    Form3 page(packageDataFolder());
    QLabel *label = findLabel(page, name);
    QVERIFY(label);

    // Labels never grow, so whatever the wrapped text needs beyond the box is cut off.
    const QFontMetrics metrics(label->font());
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, label->width(), 100000),
                             Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, label->text());
    QVERIFY2(needed.height() <= label->height(),
             qPrintable(QStringLiteral("height: box %1, text needs %2")
                            .arg(label->height())
                            .arg(needed.height())));
    QVERIFY2(needed.width() <= label->width(),
             qPrintable(QStringLiteral("width: box %1, text needs %2")
                            .arg(label->width())
                            .arg(needed.width())));
}

void TestForm3::lowerLabelLiesInFront_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("front");

    // Points inside two boxes at once, worked out from the design geometry.
    QTest::newRow("title box reaching into Label2") << QPoint(20, 36) << QStringLiteral("Label2");
    QTest::newRow("Label2 bottom row under Label3") << QPoint(20, 56) << QStringLiteral("Label3");
    QTest::newRow("Label6 bottom row under Label7") << QPoint(20, 240) << QStringLiteral("Label7");
    QTest::newRow("Label8 bottom row under Label9") << QPoint(20, 312) << QStringLiteral("Label9");
    QTest::newRow("Label10 bottom row under Label11")
        << QPoint(20, 384) << QStringLiteral("Label11");
}

void TestForm3::lowerLabelLiesInFront()
{
    QFETCH(QPoint, point);
    QFETCH(QString, front);

    Form3 page(packageDataFolder());
    QWidget *hit = page.childAt(point);
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), front);
}

void TestForm3::pageNamesTheDataFolderInUse_data()
{
    QTest::addColumn<bool>("programFolderWritable");
    QTest::addColumn<QStringList>("programFiles");
    QTest::addColumn<bool>("perUserFolderShown");
    QTest::addColumn<QString>("siteFile");
    QTest::addColumn<QString>("listIndexFile");

    const QStringList delivered{"standort.txt", "liste.txt", "Sommer.txt"};
    QTest::newRow("program folder, a copy in the user's own folder")
        << true << delivered << false << "standort.txt"
        << "liste.txt";
    QTest::newRow("per-user folder, after a system-wide install")
        << false << delivered << true << "standort.txt"
        << "liste.txt";
    QTest::newRow("program folder with files named on Windows")
        << true << QStringList{"Standort.txt", "Liste.txt", "Sommer.txt"} << false << "Standort.txt"
        << "Liste.txt";
}

// The page tells where the files are on this system and what they are called there; the
// rest of each paragraph stays as designed.
void TestForm3::pageNamesTheDataFolderInUse()
{
    QFETCH(bool, programFolderWritable);
    QFETCH(QStringList, programFiles);
    QFETCH(bool, perUserFolderShown);
    QFETCH(QString, siteFile);
    QFETCH(QString, listIndexFile);

    QTemporaryDir programFolder;
    // The per-user folder lies in the home folder, which the page writes "~".
    QTemporaryDir home(QDir::homePath() + QStringLiteral("/.zenitor-test-XXXXXX"));
    QVERIFY(programFolder.isValid() && home.isValid());
    for (const QString &name : programFiles) {
        QFile file(programFolder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(name.startsWith(QLatin1String("liste"), Qt::CaseInsensitive) ? "Sommer\r\n"
                                                                                : "13.4 Ort\r\n");
    }
    const QString userFolder = home.filePath(QStringLiteral(".local/share/zenitor"));
    const QString dataFolder =
        chooseDataFolder(programFolder.path(), userFolder, [&](const QString &folder) {
            return folder == userFolder || programFolderWritable;
        });
    QCOMPARE(dataFolder, perUserFolderShown ? userFolder : programFolder.path());
    const QString shownFolder =
        perUserFolderShown
            ? QStringLiteral("~/%1/.local/share/zenitor").arg(QFileInfo(home.path()).fileName())
            : programFolder.path();

    TestMainWindow fixture(dataFolder);
    Form1 &window = *fixture.window;
    window.show();
    window.Command5_Click();
    const QPointer<Form3> page = window.helpWindow();
    QVERIFY(page);

    QCOMPARE(page->Label4->text(),
             QStringLiteral(
                 "Legen Sie zuerst die geografische Länge Ihres Beobachtungsortes fest, indem "
                 "Sie im Auswahlfeld einen Ort wählen. Fehlt Ihr Ort, können Sie ihn mit einem "
                 "beliebigen Texteditor in die Datei „%1“ im Ordner „%2“ eintragen. Die Länge "
                 "wird als Dezimalzahl geschrieben, östliche Länge positiv und westliche Länge "
                 "negativ. Sie können einen Standort auch direkt in das Feld „geografische Länge“ "
                 "eingeben; er wird dann aber nicht gespeichert.")
                 .arg(siteFile, shownFolder));
    QCOMPARE(page->Label14->text(),
             QStringLiteral(
                 "Neue Objektdateien können Sie unter beliebigem Namen als „.txt“-Datei im Ordner "
                 "„%1“ anlegen; jede muss mindestens einen Datensatz enthalten. Tragen Sie danach "
                 "den Dateinamen ohne „.txt“ mit einem beliebigen Texteditor als neue Zeile in die "
                 "Datei „%2“ ein.")
                 .arg(shownFolder, listIndexFile));
    // The file the page names is the one the program reads.
    QVERIFY(QFileInfo::exists(QDir(dataFolder).filePath(listIndexFile)));
    QVERIFY(QFileInfo::exists(QDir(dataFolder).filePath(siteFile)));
}

void TestForm3::resizeMovesNothing()
{
    Form3 page(packageDataFolder());
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    const QList<QLabel *> labels = page.findChildren<QLabel *>();
    // The 14 of the designed page and the 5 of the section on what this program adds.
    QCOMPARE(labels.size(), 14 + 5);
    QList<QRect> before;
    QList<QFont> fontsBefore;
    for (const QLabel *label : labels) {
        before.append(label->geometry());
        fontsBefore.append(label->font());
    }

    for (const QSize size : {QSize(300, 200), QSize(1100, 800)}) {
        page.resize(size);
        QCoreApplication::processEvents();
        for (qsizetype i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i]->geometry(), before[i]);
            QCOMPARE(labels[i]->font(), fontsBefore[i]);
        }
    }
}

void TestForm3::closingDestroysWindow()
{
    QPointer<Form3> page = new Form3(packageDataFolder());
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
    QVERIFY(page->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(page.isNull());
}

void TestForm3::cleanup()
{
    qDeleteAll(helpWindows());
}

void TestForm3::hilfeTwiceGivesOneWindow()
{
    TestMainWindow fixture;
    fixture.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));

    fixture.window->Command5_Click();
    const QPointer<Form3> first = fixture.window->helpWindow();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->parentWidget(), nullptr);
    QCOMPARE(first->windowModality(), Qt::NonModal);
    QVERIFY(fixture.window->isEnabled());

    // The main window in front hides the help page; "Hilfe" must bring that same page back.
    fixture.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fixture.window.get()));
    fixture.window->Command5_Click();
    QCOMPARE(fixture.window->helpWindow(), first);
    QCOMPARE(helpWindows().size(), 1);
    QVERIFY(QTest::qWaitForWindowActive(first));
}

void TestForm3::hilfeAfterClosingLoadsAfresh()
{
    TestMainWindow fixture;
    fixture.window->show();
    fixture.window->Command5_Click();
    const QPointer<Form3> first = fixture.window->helpWindow();
    QVERIFY(first);

    QVERIFY(first->close());
    destroyClosedWindows();
    QVERIFY(first.isNull());
    QVERIFY(fixture.window->helpWindow() == nullptr);

    fixture.window->Command5_Click();
    QVERIFY(fixture.window->helpWindow());
    QVERIFY(fixture.window->helpWindow()->isVisible());
    QCOMPARE(helpWindows().size(), 1);
}

void TestForm3::hilfeWhileClockRuns()
{
    TestMainWindow fixture;
    fixture.window->show();
    int readingsAfterHilfe = -1;
    bool runningAfterHilfe = false;
    bool helpOpenAfterHilfe = false;

    // First pause: the user presses "Hilfe". Second pause: the clock must still be going.
    fixture.fakes.pause.script = [&](int wait) {
        if (wait == 1) {
            fixture.window->Command5_Click();
            readingsAfterHilfe = fixture.fakes.time.readings;
        } else {
            // "Ende" stays disabled for as long as the clock runs.
            runningAfterHilfe = !controlsOf(*fixture.window).Command4->isEnabled();
            helpOpenAfterHilfe =
                fixture.window->helpWindow() && fixture.window->helpWindow()->isVisible();
            controlsOf(*fixture.window).Command2->click();
        }
    };
    controlsOf(*fixture.window).Command1->click();

    QCOMPARE(fixture.fakes.pause.waits, 2);
    QVERIFY(runningAfterHilfe);
    QVERIFY(helpOpenAfterHilfe);
    QVERIFY2(fixture.fakes.time.readings > readingsAfterHilfe,
             "no clock pass after the help window opened");
    QVERIFY(fixture.window->helpWindow()->isVisible());
}

void TestForm3::endeLeavesHelpWindowOpen()
{
    TestMainWindow fixture;
    fixture.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
    fixture.window->Command5_Click();
    const QPointer<Form3> help = fixture.window->helpWindow();
    QVERIFY(help);

    // The program only quits from a running event loop, so the scene plays inside one.
    bool helpOpenAfterEnde = false;
    bool stillRunningAfterEnde = false;
    QTimer::singleShot(0, fixture.window.get(), [&] {
        fixture.window->Command4_Click();
        helpOpenAfterEnde = help && help->isVisible();
        QTimer::singleShot(0, help, [&] {
            stillRunningAfterEnde = true;
            help->close();
        });
    });
    // Fires only if closing the help window fails to end the program.
    QTimer safetyNet;
    safetyNet.setSingleShot(true);
    safetyNet.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
    safetyNet.start(10000);
    const int exitCode = QApplication::exec();

    QVERIFY(!fixture.window->isVisible());
    QVERIFY(helpOpenAfterEnde);
    QVERIFY2(stillRunningAfterEnde, "the program ended with the main window");
    QCOMPARE(exitCode, 0);
}

void TestForm3::nightBodyTextAsLargeAsDesigned_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("package folder") << packageDataFolder();
    QTest::newRow("a copy in the home folder") << QDir::homePath() + QStringLiteral("/zenitor");
    QTest::newRow("a long program folder")
        << QStringLiteral("/opt/sternwarte/programme/beobachtungshilfen/zenitor-2.1/daten");
}

void TestForm3::nightBodyTextAsLargeAsDesigned()
{
    QFETCH(QString, folder);
    Form3 page(folder);
    QList<double> designed;
    const QList<CaptionLabel *> labels = page.findChildren<CaptionLabel *>();
    QVERIFY(labels.size() >= 14);
    for (const CaptionLabel *label : labels)
        designed.append(label->captionFont().pointSizeF());
    page.showInNightColours(true);
    for (qsizetype i = 0; i < labels.size(); ++i)
        QVERIFY2(labels[i]->captionFont().pointSizeF() >= designed[i],
                 qPrintable(labels[i]->objectName()));
    // Body text is drawn at its full size, not shrunk to fit.
    for (const char *name : {"Label4", "Label6", "Label8", "Label10", "Label14"}) {
        auto *label = qobject_cast<CaptionLabel *>(findLabel(page, QLatin1String(name)));
        QVERIFY(label);
        QCOMPARE(label->captionFont().pointSizeF(), label->font().pointSizeF());
    }
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
