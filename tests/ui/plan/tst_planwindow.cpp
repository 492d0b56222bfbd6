// SPDX-License-Identifier: GPL-3.0-or-later
// The observing plan window on the real main window: its table against a small list at a fixed
// time, the live refresh, the reloads, choosing an object, the ways to open and close it, the
// main window's activation defaults after a return from it, and its night colours.
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "support/pixels.h"
#include "support/scratchfolder.h"

#include "clock/observingplan.h"
#include "ui/editor/form2.h"
#include "ui/help/form3.h"
#include "ui/mainwindow/form1.h"
#include "ui/plan/planchart.h"
#include "ui/plan/planwindow.h"
#include "ui/shared/application.h"
#include "ui/shared/nightvision.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPaintEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryFile>
#include <QTest>

namespace {

// At 23:30 central European time on 8 December 2026, 13.40 degrees east, the local sidereal
// time is about 4 h 31 m: "Nah" stands half an hour west of the meridian, M 42 an hour and five
// minutes east of it, "Tief" never rises at 52.52 degrees north and Polaris never sets.
const QByteArray LIST_INDEX("Nacht\r\nZweite\r\n");
const QByteArray SITES("13.40 Berlin;52.52\r\n8.55 Z\xfcrich\r\n15.60 Longyearbyen;78.22\r\n");
const QByteArray NACHT("M 13;16:41:41;36:27:35;Herkules\r\n"
                       "Polaris;02:31:49;89:15:51;Polarstern\r\n"
                       "Kaputt;xx;10:00:00;Rektaszension fehlerhaft\r\n"
                       "M 42;05:35:17;-05:23:28;Orionnebel\r\n"
                       "Tief;12:00:00;-60:00:00;geht in Berlin nie auf\r\n"
                       "Nah;04:00:00;20:00:00;nahe am Meridian\r\n");
const QByteArray ZWEITE("M 31;00:42:44;41:16:09;Andromedanebel\r\n");

bool writeStandardFolder(const ScratchFolder &folder)
{
    return folder.write(QStringLiteral("liste.txt"), LIST_INDEX) &&
           folder.write(QStringLiteral("standort.txt"), SITES) &&
           folder.write(QStringLiteral("Nacht.txt"), NACHT) &&
           folder.write(QStringLiteral("Zweite.txt"), ZWEITE);
}

QString cell(const PlanWindow &plan, int row, int column)
{
    const QAbstractItemModel *model = plan.table()->model();
    return model->data(model->index(row, column)).toString();
}

int rowOf(const PlanWindow &plan, const QString &name)
{
    for (int row = 0; row < plan.rows().size(); ++row)
        if (plan.rows().at(row).name == name)
            return row;
    return -1;
}

QStringList names(const PlanWindow &plan)
{
    QStringList texts;
    for (int row = 0; row < plan.table()->model()->rowCount(); ++row)
        texts.append(cell(plan, row, PlanWindow::ObjectColumn));
    return texts;
}

/// "hh:mm:ss" as seconds.
qint64 secondsOf(const QString &text)
{
    const QStringList parts = text.split(u':');
    return parts.value(0).toLongLong() * 3600 + parts.value(1).toLongLong() * 60 +
           parts.value(2).toLongLong();
}

/// A shown main window with the standard folder, its defaults applied, and its plan open.
struct PlanFixture
{
    PlanFixture()
    {
        if (!writeStandardFolder(folder))
            qFatal("cannot write the data files");
        main = std::make_unique<TestMainWindow>(folder.path());
        window().show();
        if (!QTest::qWaitForWindowActive(&window()))
            qFatal("the main window did not become active");
    }

    Form1 &window() { return *main->window; }
    FakeServices &fakes() { return main->fakes; }
    PlanWindow *openPlan()
    {
        window().openPlanWindow();
        if (!QTest::qWaitForWindowActive(window().planWindow()))
            qFatal("the plan did not become active");
        return window().planWindow();
    }

    ScratchFolder folder;
    std::unique_ptr<TestMainWindow> main;
};

/// Counts the paints of a widget.
struct PaintCounter : QObject
{
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

enum class Opener
{
    F2,
    Menu,
    DoubleClickOnHourAngle
};

enum class Arrival
{
    Plan,
    PlanClosedByEscape,
    HelpWithPlanOpen,
    EditorWithPlanOpen
};

enum class Choice
{
    Enter,
    DoubleClick
};

} // namespace

class TestPlanWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tableIsTheMeridianQueue();
    void meridianQueueOverTheNight_data();
    void meridianQueueOverTheNight();
    void dayMarks_data();
    void dayMarks();
    void headerTooltips_data();
    void headerTooltips();
    void sortingByValue_data();
    void sortingByValue();
    void rowMarks_data();
    void rowMarks();
    void withoutLatitudeTheCellsSayWhy_data();
    void withoutLatitudeTheCellsSayWhy();
    void refreshFollowsTheClock();
    void summerTimeNoteFollowsTheBox();
    void listChoiceAndEditorSaveReload();
    void selectionFollowsItsObject();
    void choosingARowChoosesTheObject_data();
    void choosingARowChoosesTheObject();
    void choosingAnObjectTheMainWindowLacks();
    void opensOnce_data();
    void opensOnce();
    void escapeClosesAndNothingRunsAfterwards();
    void endsWithTheMainWindow();
    void activation_data();
    void activation();
    void nightColours();
    void widthShowingEveryColumnIsTight();
    void holdsItsShape_data();
    void holdsItsShape();
    void listChangeSelectsTheMainWindowsObject();
    void longSiteNameIsElided();
    void boldRowsFitTheirColumns();
    void deletedListIsNoted();
    void zoneChangeNotedAtTheNextRefresh();
    void keys();
    void aSecondUpdatesOnlyChangedCells();
    void keptTextsMatchTheirValuesOverAnHour();
    void repaintedPartsMatchAWholePaint_data();
    void repaintedPartsMatchAWholePaint();
    void reloadFollowsTheChangedListFile_data();
    void reloadFollowsTheChangedListFile();
    void chartRepaintsOnlyWhenItsPictureChanges();
    void chartHintWithoutSelection();
    void opensWhollyOnTheMainWindowsScreen_data();
    void opensWhollyOnTheMainWindowsScreen();
    void nightLines_data();
    void nightLines();
    void nightColumns_data();
    void nightColumns();
    void nightColumnsSortByValue_data();
    void nightColumnsSortByValue();
};

void TestPlanWindow::initTestCase()
{
    configureApplication(*qApp);
}

void TestPlanWindow::tableIsTheMeridianQueue()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();

    QCOMPARE(plan->table()->model()->rowCount(), 6);
    QCOMPARE(plan->table()->model()->headerData(PlanWindow::HourAngleColumn, Qt::Horizontal),
             QStringLiteral("Stundenwinkel"));
    // "Nah" crossed half an hour ago and stays on top; then the next to cross, M 42, about 65
    // minutes from now; then every row's transit later than the one above it.
    QCOMPARE(cell(*plan, 0, PlanWindow::ObjectColumn), QStringLiteral("Nah"));
    QVERIFY(cell(*plan, 0, PlanWindow::HourAngleColumn).startsWith(QStringLiteral("+00:")));
    QCOMPARE(cell(*plan, 1, PlanWindow::ObjectColumn), QStringLiteral("M 42"));
    QVERIFY(cell(*plan, 1, PlanWindow::HourAngleColumn).startsWith(u'-'));
    const QDateTime now = fixture.fakes().time.now;
    qint64 previous = -1;
    for (int row = 1; row < 5; ++row) {
        const qint64 left = secondsOf(cell(*plan, row, PlanWindow::TimeLeftColumn));
        QVERIFY2(left >= previous, qPrintable(names(*plan).join(u',')));
        previous = left;
        // Every transit is now plus the time left; after midnight it says so.
        const QDateTime transit = now.addSecs(left);
        QCOMPARE(cell(*plan, row, PlanWindow::TransitColumn),
                 (transit.date() == now.date() ? QString() : QStringLiteral("morgen ")) +
                     transit.toString(QStringLiteral("HH:mm:ss")));
    }
    // The record without a right ascension comes last and says why it has no values.
    QCOMPARE(cell(*plan, 5, PlanWindow::ObjectColumn), QStringLiteral("Kaputt"));
    QCOMPARE(cell(*plan, 5, PlanWindow::HourAngleColumn), QString());
    QCOMPARE(cell(*plan, 5, PlanWindow::AltitudeColumn),
             QStringLiteral("Rektaszension überprüfen"));
    // Right ascension and declination as in the file.
    const int m42 = rowOf(*plan, QStringLiteral("M 42"));
    QCOMPARE(cell(*plan, m42, PlanWindow::RightAscensionColumn), QStringLiteral("05:35:17"));
    QCOMPARE(cell(*plan, m42, PlanWindow::DeclinationColumn), QStringLiteral("-05:23:28"));
    QVERIFY(plan->headerText().contains(QStringLiteral("13.40 Berlin (Breite 52.52°)")));
    QVERIFY(plan->headerText().contains(QStringLiteral("Liste: Nacht")));
}

void TestPlanWindow::meridianQueueOverTheNight_data()
{
    QTest::addColumn<int>("minutesLater");
    QTest::addColumn<QStringList>("order");

    // Hour angles at 23:30: Nah +0.5 h, M 42 -1.1 h, Tief -7.5 h, M 13 +11.8 h, Polaris +2.0 h.
    QTest::newRow("23:30: Nah crossed within the hour")
        << 0 << QStringList{"Nah", "M 42", "Tief", "M 13", "Polaris", "Kaputt"};
    QTest::newRow("00:40: M 42 just crossed, Nah over an hour ago goes to the end")
        << 70 << QStringList{"M 42", "Tief", "M 13", "Polaris", "Nah", "Kaputt"};
    QTest::newRow("22:00: Polaris crossed 30 minutes ago, Nah 59 minutes ahead")
        << -90 << QStringList{"Polaris", "Nah", "M 42", "Tief", "M 13", "Kaputt"};
}

void TestPlanWindow::meridianQueueOverTheNight()
{
    QFETCH(int, minutesLater);
    QFETCH(QStringList, order);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(minutesLater * 60);
    plan->refresh();
    QCOMPARE(names(*plan), order);
}

void TestPlanWindow::dayMarks_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("transit");

    const QDate day(2026, 12, 8);
    QTest::newRow("before midnight, transit after it") << QDateTime(day, QTime(23, 30)) << "M 42"
                                                       << "morgen 00:3";
    QTest::newRow("after midnight, the same night: today")
        << QDateTime(day.addDays(1), QTime(0, 10)) << "M 42"
        << "00:3";
    QTest::newRow("noon, transit in the evening: today") << QDateTime(day, QTime(12, 0)) << "Nah"
                                                         << "22:5";
    QTest::newRow("just after the transit: tomorrow") << QDateTime(day, QTime(23, 30)) << "Nah"
                                                      << "morgen 22:5";
}

void TestPlanWindow::dayMarks()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, object);
    QFETCH(QString, transit);

    PlanFixture fixture;
    fixture.fakes().time.now = now;
    PlanWindow *plan = fixture.openPlan();
    const QString text = cell(*plan, rowOf(*plan, object), PlanWindow::TransitColumn);
    QVERIFY2(text.startsWith(transit), qPrintable(text));
    // "hh:mm:ss" follows the mark, nothing else.
    QCOMPARE(text.length(), transit.startsWith(QStringLiteral("morgen")) ? 15 : 8);
}

void TestPlanWindow::headerTooltips_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("Objekt") << int(PlanWindow::ObjectColumn) << QStringList{"Objektauswahl"};
    QTest::newRow("Stundenwinkel: the sign of east")
        << int(PlanWindow::HourAngleColumn)
        << QStringList{"Stunden:Minuten:Sekunden", "− östlich", "+ westlich"};
    QTest::newRow("Durchgang: local time, the day")
        << int(PlanWindow::TransitColumn) << QStringList{"Ortszeit", "Meridiandurchgang", "morgen"};
    QTest::newRow("Bis: time to the transit")
        << int(PlanWindow::TimeLeftColumn)
        << QStringList{"Zeit bis zum nächsten Meridiandurchgang", "Stunden:Minuten:Sekunden"};
    QTest::newRow("Höhe") << int(PlanWindow::AltitudeColumn) << QStringList{"Horizont", "Grad"};
    QTest::newRow("Azimut: from north through east")
        << int(PlanWindow::AzimuthColumn) << QStringList{"Norden über Osten", "Grad"};
    QTest::newRow("Kulmination: altitude at the transit")
        << int(PlanWindow::CulminationColumn)
        << QStringList{"Höhe beim Meridiandurchgang", "Grad", "zirkumpolar", "geht nie auf"};
    QTest::newRow("Rektaszension")
        << int(PlanWindow::RightAscensionColumn) << QStringList{"Stunden:Minuten:Sekunden"};
    QTest::newRow("Deklination") << int(PlanWindow::DeclinationColumn)
                                 << QStringList{"Grad:Bogenminuten:Bogensekunden"};
}

void TestPlanWindow::headerTooltips()
{
    QFETCH(int, column);
    QFETCH(QStringList, words);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const QString tip =
        plan->table()->model()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString();
    for (const QString &word : words)
        QVERIFY2(tip.contains(word), qPrintable(tip + QStringLiteral(" lacks ") + word));
}

void TestPlanWindow::sortingByValue_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QStringList>("order");

    // By text, "+00:30:00" would precede "-07:29:…", "-05:23:28" precede "-60:00:00" and
    // "-22.52°" precede "-5.4°": the values decide.
    QTest::newRow("Stundenwinkel up: east first, empty last")
        << int(PlanWindow::HourAngleColumn) << 1
        << QStringList{"Tief", "M 42", "Nah", "Polaris", "M 13", "Kaputt"};
    QTest::newRow("Stundenwinkel down: empty still last")
        << int(PlanWindow::HourAngleColumn) << 2
        << QStringList{"M 13", "Polaris", "Nah", "M 42", "Tief", "Kaputt"};
    QTest::newRow("Deklination up, as in the file")
        << int(PlanWindow::DeclinationColumn) << 1
        << QStringList{"Tief", "M 42", "Kaputt", "Nah", "M 13", "Polaris"};
    QTest::newRow("Bis down: the longest wait first")
        << int(PlanWindow::TimeLeftColumn) << 2
        << QStringList{"Nah", "Polaris", "M 13", "Tief", "M 42", "Kaputt"};
    QTest::newRow("Kulmination up")
        << int(PlanWindow::CulminationColumn) << 1
        << QStringList{"Tief", "M 42", "Polaris", "Nah", "M 13", "Kaputt"};
    QTest::newRow("Objekt up") << int(PlanWindow::ObjectColumn) << 1
                               << QStringList{"Kaputt", "M 13", "M 42", "Nah", "Polaris", "Tief"};
    QTest::newRow("a third click: the meridian queue again")
        << int(PlanWindow::AltitudeColumn) << 3
        << QStringList{"Nah", "M 42", "Tief", "M 13", "Polaris", "Kaputt"};
}

void TestPlanWindow::sortingByValue()
{
    QFETCH(int, column);
    QFETCH(int, clicks);
    QFETCH(QStringList, order);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    plan->selectObject(QStringLiteral("Polaris"));
    QHeaderView *header = plan->table()->horizontalHeader();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
    QCOMPARE(names(*plan), order);
    // The selection follows its object, also through the next refreshes.
    QCOMPARE(plan->selectedObject(), QStringLiteral("Polaris"));
    QCOMPARE(plan->table()->currentIndex().row(), order.indexOf(QStringLiteral("Polaris")));
    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(1);
    plan->refresh();
    QCOMPARE(names(*plan), order);
    QCOMPARE(plan->selectedObject(), QStringLiteral("Polaris"));
    // The rows that say why they are empty keep their joined cell wherever they stand.
    const int broken = order.indexOf(QStringLiteral("Kaputt"));
    QCOMPARE(plan->table()->columnSpan(broken, PlanWindow::AltitudeColumn), 3);
    for (int row = 0; row < order.size(); ++row)
        if (row != broken)
            QCOMPARE(plan->table()->columnSpan(row, PlanWindow::AltitudeColumn), 1);
}

void TestPlanWindow::rowMarks_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("dimmed");
    QTest::addColumn<QString>("culmination");

    QTest::newRow("half an hour west of the meridian: stands out")
        << "Nah" << true << false << "57.48°";
    QTest::newRow("65 minutes east: plain") << "M 42" << false << false << "32.09°";
    QTest::newRow("never rises: dimmed") << "Tief" << false << true << "-22.52° (geht nie auf)";
    QTest::newRow("circumpolar") << "Polaris" << false << false << "53.26° (zirkumpolar)";
    QTest::newRow("near its lower culmination, below the horizon: dimmed")
        << "M 13" << false << true << "73.94°";
}

void TestPlanWindow::rowMarks()
{
    QFETCH(QString, object);
    QFETCH(bool, bold);
    QFETCH(bool, dimmed);
    QFETCH(QString, culmination);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const int row = rowOf(*plan, object);
    QVERIFY(row >= 0);
    const QAbstractItemModel *model = plan->table()->model();
    const QModelIndex index = model->index(row, PlanWindow::AltitudeColumn);
    QCOMPARE(cell(*plan, row, PlanWindow::CulminationColumn), culmination);
    QCOMPARE(model->data(index, Qt::FontRole).value<QFont>().bold(), bold);
    const QColor colour = model->data(index, Qt::ForegroundRole).value<QColor>();
    QVERIFY(colour.green() <= 48 && colour.blue() <= 48);
    QCOMPARE(colour.red() < NightVision::text.red(), dimmed);
    if (bold)
        QVERIFY(colour.red() > NightVision::text.red());
    // Dimmed rows are those below the horizon now.
    QCOMPARE(cell(*plan, row, PlanWindow::AltitudeColumn).startsWith(u'-'), dimmed);
}

void TestPlanWindow::withoutLatitudeTheCellsSayWhy_data()
{
    QTest::addColumn<QString>("site");
    QTest::newRow("site without latitude field") << QStringLiteral("8.55 Zürich");
    QTest::newRow("longitude typed by hand") << QStringLiteral("13.4");
}

void TestPlanWindow::withoutLatitudeTheCellsSayWhy()
{
    QFETCH(QString, site);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const int m42 = rowOf(*plan, QStringLiteral("M 42"));
    QVERIFY(!cell(*plan, m42, PlanWindow::AzimuthColumn).isEmpty());
    controlsOf(fixture.window()).Combo1->setEditText(site);

    QVERIFY(plan->headerText().contains(QStringLiteral("Breite unbekannt")));
    for (int row = 0; row < plan->rows().size(); ++row) {
        if (plan->rows().at(row).name == QStringLiteral("Kaputt"))
            continue;
        QCOMPARE(cell(*plan, row, PlanWindow::AltitudeColumn),
                 QStringLiteral("Breite des Standorts unbekannt"));
        // One cell says it for altitude, azimuth and culmination.
        QCOMPARE(plan->table()->columnSpan(row, PlanWindow::AltitudeColumn), 3);
        QVERIFY(!cell(*plan, row, PlanWindow::HourAngleColumn).isEmpty());
    }
}

void TestPlanWindow::refreshFollowsTheClock()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    QVERIFY(plan->isRefreshing());
    const int m42 = rowOf(*plan, QStringLiteral("M 42"));
    const qint64 before = secondsOf(cell(*plan, m42, PlanWindow::TimeLeftColumn));
    const QString hourAngle = cell(*plan, m42, PlanWindow::HourAngleColumn);

    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(60);
    plan->refresh();
    QCOMPARE(secondsOf(cell(*plan, m42, PlanWindow::TimeLeftColumn)), before - 60);
    QVERIFY(cell(*plan, m42, PlanWindow::HourAngleColumn) != hourAngle);
    QVERIFY(plan->headerText().contains(QStringLiteral("23:31:00")));

    // The clock need not run: the time left is counted by the window's own timer.
    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(1);
    QTRY_COMPARE(secondsOf(cell(*plan, m42, PlanWindow::TimeLeftColumn)), before - 61);
}

void TestPlanWindow::summerTimeNoteFollowsTheBox()
{
    PlanFixture fixture;
    fixture.fakes().time.utcOffsetSeconds = 7200;
    PlanWindow *plan = fixture.openPlan();
    QCheckBox *box = controlsOf(fixture.window()).Check1;
    box->setChecked(false);
    QVERIFY(plan->headerText().contains(summerTimeWarning(false, 7200)));
    box->setChecked(true);
    QVERIFY(!plan->headerText().contains(QStringLiteral("Sommerzeit")));
    // The box moves the sidereal time by an hour and so every transit.
    const QString transit = cell(*plan, 0, PlanWindow::TransitColumn);
    box->setChecked(false);
    QVERIFY(cell(*plan, 0, PlanWindow::TransitColumn) != transit);
}

void TestPlanWindow::listChoiceAndEditorSaveReload()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    QComboBox *lists = controlsOf(fixture.window()).Combo3;

    lists->setCurrentIndex(1);
    QCOMPARE(names(*plan), QStringList{QStringLiteral("M 31")});
    QVERIFY(plan->headerText().contains(QStringLiteral("Liste: Zweite")));

    // The editor's save of the chosen list shows at once.
    fixture.window().Command3_Click();
    Form2 *editor = fixture.window().editorWindow();
    QVERIFY(editor);
    controlsOf(*editor).Text1->setPlainText(QString::fromLatin1(ZWEITE) +
                                            QStringLiteral("M 45;03:47:00;24:07:00;Plejaden"));
    editor->Command1_Click();
    QVERIFY(fixture.fakes().messages.shown.isEmpty());
    QVERIFY(names(*plan).contains(QStringLiteral("M 45")));
    QCOMPARE(plan->rows().size(), 2);

    // A list that cannot be read leaves an empty table and says why in the header.
    lists->setEditText(QStringLiteral("Fehlt"));
    QCOMPARE(plan->rows().size(), 0);
    QVERIFY(plan->headerText().contains(QStringLiteral("Fehlt.txt")));
    QVERIFY(fixture.fakes().messages.shown.isEmpty());
}

void TestPlanWindow::selectionFollowsItsObject()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    plan->resize(600, 180);
    QTRY_VERIFY(plan->table()->verticalScrollBar()->maximum() > 0);
    plan->selectObject(QStringLiteral("M 42"));
    QCOMPARE(plan->table()->currentIndex().row(), 1);

    // 130 minutes on, M 42 crossed the meridian over an hour ago and moves to the end.
    QScrollBar *scroll = plan->table()->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    const int scrolled = scroll->value();
    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(130 * 60);
    plan->refresh();
    QVERIFY(rowOf(*plan, QStringLiteral("M 42")) > 1);
    QCOMPARE(plan->selectedObject(), QStringLiteral("M 42"));
    QCOMPARE(plan->table()->currentIndex().row(), rowOf(*plan, QStringLiteral("M 42")));
    scroll->setValue(0);
    plan->refresh();
    QCOMPARE(scroll->value(), 0);
    scroll->setValue(scrolled);
    plan->refresh();
    QCOMPARE(scroll->value(), scrolled);

    // A list without the object: nothing is selected.
    controlsOf(fixture.window()).Combo3->setCurrentIndex(1);
    QCOMPARE(plan->selectedObject(), QString());
}

void TestPlanWindow::choosingARowChoosesTheObject_data()
{
    QTest::addColumn<Choice>("choice");
    QTest::newRow("Enter") << Choice::Enter;
    QTest::newRow("double-click") << Choice::DoubleClick;
}

void TestPlanWindow::choosingARowChoosesTheObject()
{
    QFETCH(Choice, choice);

    PlanFixture fixture;
    const MainWindowControls controls = controlsOf(fixture.window());
    QCOMPARE(controls.Combo2->currentText(), QStringLiteral("M 13"));
    PlanWindow *plan = fixture.openPlan();
    // The plan opens on the main window's object.
    QCOMPARE(plan->selectedObject(), QStringLiteral("M 13"));

    const int m42 = rowOf(*plan, QStringLiteral("M 42"));
    if (choice == Choice::Enter) {
        QTest::keyClick(plan->table(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(plan->table(), Qt::Key_Down);
        QCOMPARE(plan->selectedObject(), QStringLiteral("M 42"));
        QTest::keyClick(plan->table(), Qt::Key_Return);
    } else {
        const QRect cellRect = plan->table()->visualRect(plan->table()->model()->index(m42, 0));
        // A double-click follows the click that selects the row.
        QTest::mouseClick(plan->table()->viewport(), Qt::LeftButton, {}, cellRect.center());
        QTest::mouseDClick(plan->table()->viewport(), Qt::LeftButton, {}, cellRect.center());
    }
    QCOMPARE(controls.Combo2->currentText(), QStringLiteral("M 42"));
    QCOMPARE(controls.Combo2->currentIndex(), 3);
    QCOMPARE(controls.Text1->text(), QStringLiteral("05"));
    QCOMPARE(controls.Text3->text(), QStringLiteral("35"));
    QCOMPARE(controls.Text4->text(), QStringLiteral("17"));
    QCOMPARE(controls.Text5->toPlainText(), QStringLiteral("Orionnebel"));
    QVERIFY(!controls.Text2->text().isEmpty());
    QVERIFY(fixture.fakes().messages.shown.isEmpty());
    // The plan keeps the focus for the next choice.
    QCOMPARE(QApplication::activeWindow(), plan);
}

void TestPlanWindow::choosingAnObjectTheMainWindowLacks()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const MainWindowControls controls = controlsOf(fixture.window());
    // Another program adds an object; the plan reads it, the object choice still lacks it.
    QVERIFY(
        fixture.folder.write(QStringLiteral("Nacht.txt"), NACHT + "Neu;01:00:00;10:00:00;neu\r\n"));
    plan->reload();
    plan->selectObject(QStringLiteral("Neu"));
    QCOMPARE(plan->selectedObject(), QStringLiteral("Neu"));
    QTest::keyClick(plan->table(), Qt::Key_Return);

    QCOMPARE(fixture.fakes().messages.shown.size(), 1);
    QVERIFY(fixture.fakes().messages.shown.constFirst().contains(QStringLiteral("„Neu“")));
    QCOMPARE(controls.Combo2->currentText(), QStringLiteral("M 13"));
    QCOMPARE(controls.Text1->text(), QStringLiteral("16"));
}

void TestPlanWindow::opensOnce_data()
{
    QTest::addColumn<Opener>("opener");
    QTest::newRow("F2") << Opener::F2;
    QTest::newRow("background menu") << Opener::Menu;
    QTest::newRow("double-click on the hour-angle readout") << Opener::DoubleClickOnHourAngle;
}

void TestPlanWindow::opensOnce()
{
    QFETCH(Opener, opener);

    PlanFixture fixture;
    Form1 &window = fixture.window();
    const auto open = [&] {
        switch (opener) {
        case Opener::F2:
            QTest::keyClick(&window, Qt::Key_F2);
            break;
        case Opener::Menu: {
            std::unique_ptr<QMenu> menu(window.createBackgroundMenu());
            QAction *entry = menu->findChild<QAction *>(QStringLiteral("openPlan"));
            QVERIFY(entry);
            QCOMPARE(entry->text(), QStringLiteral("Beobachtungsplan\tF2"));
            QVERIFY(menu->findChild<QAction *>(QStringLiteral("allWindowsNight")));
            entry->trigger();
            break;
        }
        case Opener::DoubleClickOnHourAngle:
            QTest::mouseDClick(controlsOf(window).Picture3, Qt::LeftButton);
            break;
        }
    };

    open();
    QPointer<PlanWindow> first = window.planWindow();
    QVERIFY(first);
    QVERIFY(QTest::qWaitForWindowActive(first));
    QCOMPARE(first->windowTitle(), QStringLiteral("Beobachtungsplan"));
    QCOMPARE(QApplication::focusWidget(), first->table());

    // A second request brings the open window back to the front.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    open();
    QCOMPARE(window.planWindow(), first.data());
    QVERIFY(QTest::qWaitForWindowActive(first));
    int plans = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        plans += qobject_cast<PlanWindow *>(widget) && widget->isVisible();
    QCOMPARE(plans, 1);
}

void TestPlanWindow::escapeClosesAndNothingRunsAfterwards()
{
    PlanFixture fixture;
    QPointer<PlanWindow> plan = fixture.openPlan();
    QVERIFY(plan->isRefreshing());
    plan->hide();
    QVERIFY(!plan->isRefreshing());
    plan->show();
    QVERIFY(plan->isRefreshing());
    QVERIFY(QTest::qWaitForWindowActive(plan));

    QTest::keyClick(plan->table(), Qt::Key_Escape);
    QTRY_VERIFY(plan.isNull());
    QVERIFY(!fixture.window().planWindow());
    // Closed, the plan reads no clock and answers no change of the main window.
    const int readings = fixture.fakes().time.readings;
    controlsOf(fixture.window()).Combo3->setCurrentIndex(1);
    controlsOf(fixture.window()).Check1->toggle();
    QTest::qWait(20);
    QCOMPARE(fixture.fakes().time.readings, readings);
}

void TestPlanWindow::endsWithTheMainWindow()
{
    PlanFixture fixture;
    QPointer<PlanWindow> plan = fixture.openPlan();
    fixture.window().close();
    QTRY_VERIFY(plan.isNull());

    PlanFixture second;
    plan = second.openPlan();
    second.main.reset();
    QVERIFY(plan.isNull());
}

void TestPlanWindow::activation_data()
{
    QTest::addColumn<Arrival>("arrival");
    QTest::addColumn<bool>("defaultsApplied");

    QTest::newRow("back from the plan") << Arrival::Plan << false;
    QTest::newRow("back after closing the plan with Escape, through no focus window")
        << Arrival::PlanClosedByEscape << false;
    QTest::newRow("back from the help window while the plan is open")
        << Arrival::HelpWithPlanOpen << true;
    QTest::newRow("back from the editor while the plan is open")
        << Arrival::EditorWithPlanOpen << true;
}

void TestPlanWindow::activation()
{
    QFETCH(Arrival, arrival);
    QFETCH(bool, defaultsApplied);

    PlanFixture fixture;
    Form1 &window = fixture.window();
    const MainWindowControls controls = controlsOf(window);
    const auto activateMainWindow = [&window] {
        window.activateWindow();
        return QTest::qWaitFor(
            [&window] { return QGuiApplication::focusWindow() == window.windowHandle(); });
    };

    // The plan chooses an object other than the list's first.
    QPointer<PlanWindow> plan = fixture.openPlan();
    plan->selectObject(QStringLiteral("Nah"));
    QTest::keyClick(plan->table(), Qt::Key_Return);
    QCOMPARE(controls.Combo2->currentText(), QStringLiteral("Nah"));

    switch (arrival) {
    case Arrival::Plan:
        break;
    case Arrival::PlanClosedByEscape:
        QTest::keyClick(plan->table(), Qt::Key_Escape);
        QTRY_VERIFY(plan.isNull());
        QTRY_VERIFY(!QGuiApplication::focusWindow());
        // Offscreen the gap is not reported by itself; replay it as X11 reports it.
        emit qGuiApp->focusWindowChanged(nullptr);
        break;
    case Arrival::HelpWithPlanOpen:
        window.Command5_Click();
        QVERIFY(QTest::qWaitForWindowActive(window.helpWindow()));
        break;
    case Arrival::EditorWithPlanOpen:
        window.Command3_Click();
        QVERIFY(QTest::qWaitForWindowActive(window.editorWindow()));
        break;
    }
    QVERIFY(activateMainWindow());
    delete window.helpWindow();
    delete window.editorWindow();

    QCOMPARE(controls.Combo2->currentText(),
             defaultsApplied ? QStringLiteral("M 13") : QStringLiteral("Nah"));
    QCOMPARE(controls.Text5->toPlainText(),
             defaultsApplied ? QStringLiteral("Herkules") : QStringLiteral("nahe am Meridian"));
    QVERIFY(fixture.fakes().messages.shown.isEmpty());
}

void TestPlanWindow::nightColours()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    // A selected row, a highlighted row, a dimmed row and a row that says why it is empty.
    plan->selectObject(QStringLiteral("Tief"));
    fixture.fakes().time.utcOffsetSeconds = 7200;
    plan->refresh();
    QVERIFY(plan->headerText().contains(QStringLiteral("Sommerzeit")));
    const QString light = firstLightPixel(plan->grab().toImage());
    QVERIFY2(light.isEmpty(), qPrintable(QStringLiteral("light pixel ") + light));
    // Wider than its columns, the header runs on past the last one.
    plan->resize(plan->widthShowingEveryColumn() + 300, plan->height());
    const QString wideLight = firstLightPixel(plan->grab().toImage());
    QVERIFY2(wideLight.isEmpty(), qPrintable(QStringLiteral("light pixel, wide ") + wideLight));

    std::unique_ptr<QMenu> menu(fixture.window().createBackgroundMenu());
    menu->popup(fixture.window().mapToGlobal(QPoint(233, 73)));
    QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
    const QString menuLight = firstLightPixel(menu->grab().toImage());
    QVERIFY2(menuLight.isEmpty(), qPrintable(QStringLiteral("light menu pixel ") + menuLight));
}

void TestPlanWindow::widthShowingEveryColumnIsTight()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const QScrollBar *scrollBar = plan->table()->horizontalScrollBar();
    const auto scrollsAtWidth = [&](int width) {
        plan->resize(width, plan->height());
        QCoreApplication::sendPostedEvents();
        return scrollBar->maximum() > 0;
    };
    const int wanted = plan->widthShowingEveryColumn();
    QVERIFY2(!scrollsAtWidth(wanted), qPrintable(QString::number(wanted)));
    QVERIFY2(scrollsAtWidth(wanted - 40), qPrintable(QString::number(wanted - 40)));
}

void TestPlanWindow::holdsItsShape_data()
{
    QTest::addColumn<bool>("listChange");
    QTest::newRow("another list with wider texts") << true;
    QTest::newRow("a site with latitude after one without") << false;
}

void TestPlanWindow::holdsItsShape()
{
    QFETCH(bool, listChange);

    PlanFixture fixture;
    QVERIFY(fixture.folder.write(
        QStringLiteral("Zweite.txt"),
        "NGC 7000 Nordamerikanebel im Schwan;20:58:47.123;+44:19:48.456;weit\r\n"));
    const MainWindowControls controls = controlsOf(fixture.window());
    if (!listChange)
        controls.Combo1->setEditText(QStringLiteral("8.55 Zürich"));
    PlanWindow *plan = fixture.openPlan();
    const QScrollBar *scrollBar = plan->table()->horizontalScrollBar();
    QCoreApplication::sendPostedEvents();
    QVERIFY2(scrollBar->maximum() == 0, qPrintable(QStringLiteral("%1 wanted, %2 wide")
                                                       .arg(plan->widthShowingEveryColumn())
                                                       .arg(plan->width())));
    const int before = plan->width();

    if (listChange)
        controls.Combo3->setCurrentIndex(1);
    else
        controls.Combo1->setEditText(QStringLiteral("13.40 Berlin"));
    QCoreApplication::sendPostedEvents();
    QVERIFY2(plan->width() > before, qPrintable(QString::number(plan->width())));
    QCOMPARE(scrollBar->maximum(), 0);
    const QRect area = plan->screen()->availableGeometry();
    QVERIFY2(area.contains(plan->frameGeometry()), qPrintable(describe(plan->frameGeometry())));
}

void TestPlanWindow::listChangeSelectsTheMainWindowsObject()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    QComboBox *lists = controlsOf(fixture.window()).Combo3;
    // Chosen as the observer does: the object choice is filled, then the plan reads the list.
    lists->setCurrentIndex(1);
    emit lists->activated(1);
    QCOMPARE(controlsOf(fixture.window()).Combo2->currentText(), QStringLiteral("M 31"));
    QCOMPARE(plan->selectedObject(), QStringLiteral("M 31"));
    QVERIFY(!plan->nightChart()->isEmpty());
}

void TestPlanWindow::longSiteNameIsElided()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const QString site = QStringLiteral("13.40 ") + QString(3910, u'X');
    controlsOf(fixture.window()).Combo1->setEditText(site);
    QCoreApplication::sendPostedEvents();

    const QRect area = plan->screen()->availableGeometry();
    QVERIFY2(plan->width() <= area.width(), qPrintable(QString::number(plan->width())));
    QVERIFY(plan->minimumSizeHint().width() <= area.width());
    QVERIFY(plan->headerText().contains(site));
    const QWidget *siteLine = plan->findChild<QWidget *>(QStringLiteral("planSiteLine"));
    QVERIFY(siteLine);
    QVERIFY(siteLine->toolTip().contains(site));
    // A short name needs no tooltip.
    controlsOf(fixture.window()).Combo1->setEditText(QStringLiteral("13.40 Berlin"));
    QCOMPARE(siteLine->toolTip(), QString());
}

void TestPlanWindow::boldRowsFitTheirColumns()
{
    PlanFixture fixture;
    // 20:00: no object within an hour of the meridian, so no row is bold when the plan opens;
    // an hour on, Polaris is.
    fixture.fakes().time.now = QDateTime(QDate(2026, 12, 8), QTime(20, 0));
    PlanWindow *plan = fixture.openPlan();
    QFont bold = plan->table()->font();
    bold.setBold(true);
    const auto boldRows = [plan] {
        int count = 0;
        for (int row = 0; row < plan->rows().size(); ++row)
            count += plan->table()->model()->index(row, 0).data(Qt::FontRole).value<QFont>().bold();
        return count;
    };
    QCOMPARE(boldRows(), 0);
    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(3600);
    plan->refresh();
    QCOMPARE(boldRows(), 1);

    const QTableView *view = plan->table();
    for (int row = 0; row < view->model()->rowCount(); ++row)
        for (int column = 0; column < PlanWindow::ColumnCount; ++column) {
            if (view->columnSpan(row, column) != 1)
                continue;
            const QModelIndex index = view->model()->index(row, column);
            QVERIFY2(view->sizeHintForIndex(index).width() <= view->columnWidth(column),
                     qPrintable(index.data().toString()));
        }
}

void TestPlanWindow::deletedListIsNoted()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    QVERIFY(!plan->headerText().contains(QStringLiteral("nicht gefunden")));

    QVERIFY(QFile::remove(fixture.folder.path() + QStringLiteral("/Nacht.txt")));
    plan->refresh();
    const QRegularExpression gone(QStringLiteral("Nacht\\.txt .*nicht gefunden"));
    QVERIFY2(plan->headerText().contains(gone), qPrintable(plan->headerText()));
    QCOMPARE(plan->rows().size(), 6);

    // Back again, with one object less: read anew, the note is gone.
    QByteArray shorter = NACHT;
    shorter.chop(QByteArray("Nah;04:00:00;20:00:00;nahe am Meridian\r\n").size());
    QVERIFY(fixture.folder.write(QStringLiteral("Nacht.txt"), shorter));
    plan->refresh();
    plan->refresh();
    QVERIFY(!plan->headerText().contains(QStringLiteral("nicht gefunden")));
    QCOMPARE(plan->rows().size(), 5);
}

void TestPlanWindow::zoneChangeNotedAtTheNextRefresh()
{
    PlanFixture fixture;
    fixture.fakes().time.utcOffsetSeconds = 3600;
    PlanWindow *plan = fixture.openPlan();
    QVERIFY(!plan->headerText().contains(QStringLiteral("Sommerzeit")));
    // The spring change: the system moves to UTC+2 while the box stays unticked.
    fixture.fakes().time.utcOffsetSeconds = 7200;
    plan->refresh();
    QVERIFY(plan->headerText().contains(summerTimeWarning(false, 7200)));
}

void TestPlanWindow::keys()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();

    QTest::keyClick(plan->table(), Qt::Key_F11);
    QTRY_VERIFY(plan->windowState() & Qt::WindowFullScreen);
    QTest::keyClick(plan->table(), Qt::Key_F11);
    QTRY_VERIFY(!(plan->windowState() & Qt::WindowFullScreen));

    // Shift+F10 and the menu key open the table's menu, in night colours.
    for (const auto &[key, modifiers] :
         {std::pair{Qt::Key_F10, Qt::ShiftModifier}, std::pair{Qt::Key_Menu, Qt::NoModifier}}) {
        QTest::keyClick(plan->table(), key, modifiers);
        QMenu *menu = plan->findChild<QMenu *>(QStringLiteral("planTableMenu"));
        QVERIFY(menu);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(firstLightPixel(menu->grab().toImage()), QString());
        QVERIFY(menu->findChild<QAction *>(QStringLiteral("meridianQueue")));
        menu->close();
        QTRY_VERIFY(!plan->findChild<QMenu *>(QStringLiteral("planTableMenu")));
    }

    // F1 opens the main window's help.
    QVERIFY(!fixture.window().helpWindow());
    QTest::keyClick(plan->table(), Qt::Key_F1);
    QVERIFY(fixture.window().helpWindow());
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window().helpWindow()));
    // The help has no owner and outlives the main window by design.
    delete fixture.window().helpWindow();
}

void TestPlanWindow::aSecondUpdatesOnlyChangedCells()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const QAbstractItemModel *model = plan->table()->model();
    QSet<int> columns;
    int cells = 0, resets = 0;
    connect(model, &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex &from, const QModelIndex &to) {
                for (int column = from.column(); column <= to.column(); ++column)
                    columns.insert(column);
                cells += (to.row() - from.row() + 1) * (to.column() - from.column() + 1);
            });
    connect(model, &QAbstractItemModel::modelReset, this, [&] { ++resets; });
    connect(model, &QAbstractItemModel::layoutChanged, this, [&] { ++resets; });

    // What the table repaints: the changed cells, not the names beside them.
    struct PaintedRegion : QObject
    {
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                region += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
        QRegion region;
    } painted;
    QTest::qWait(20);
    plan->table()->viewport()->installEventFilter(&painted);

    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(1);
    plan->refresh();
    QTRY_VERIFY(!painted.region.isEmpty());
    const QRect names(0, 0, plan->table()->columnWidth(PlanWindow::ObjectColumn) - 2,
                      plan->table()->viewport()->height());
    QVERIFY2(!painted.region.intersects(names),
             qPrintable(describe(painted.region.boundingRect())));
    QCOMPARE(resets, 0);
    // The hour angle and the time left move every second; names, coordinates, transits and
    // culminations do not.
    QVERIFY(columns.contains(PlanWindow::HourAngleColumn));
    QVERIFY(columns.contains(PlanWindow::TimeLeftColumn));
    for (const int still :
         {PlanWindow::ObjectColumn, PlanWindow::TransitColumn, PlanWindow::CulminationColumn,
          PlanWindow::RightAscensionColumn, PlanWindow::DeclinationColumn})
        QVERIFY2(!columns.contains(still), qPrintable(QString::number(still)));
    QVERIFY2(cells <= 5 * 4, qPrintable(QString::number(cells)));
    // The window writes its texts itself: they are the readout's and the command line's.
    const QList<PlanRow> rows = plan->rows();
    for (int row = 0; row < rows.size(); ++row) {
        if (!rows[row].hasHourAngle)
            continue;
        QCOMPARE(cell(*plan, row, PlanWindow::HourAngleColumn),
                 eastWestText(rows[row].hourAngleHours));
        QCOMPARE(cell(*plan, row, PlanWindow::TimeLeftColumn),
                 durationText(rows[row].secondsToTransit));
    }
}

void TestPlanWindow::keptTextsMatchTheirValuesOverAnHour()
{
    // Altitude and azimuth keep their texts while the value prints alike: second by second
    // they must read as freshly written ones, also where a value rounds at half a hundredth.
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    for (int second = 0; second < 3600; ++second) {
        fixture.fakes().time.now = fixture.fakes().time.now.addSecs(1);
        plan->refresh();
        const QList<PlanRow> rows = plan->rows();
        for (int row = 0; row < rows.size(); ++row) {
            if (!rows[row].position)
                continue;
            QCOMPARE(cell(*plan, row, PlanWindow::AltitudeColumn),
                     degreesText(rows[row].position->altitudeDegrees) + u'°');
            QCOMPARE(cell(*plan, row, PlanWindow::AzimuthColumn),
                     degreesText(rows[row].position->azimuthDegrees) + u'°');
        }
    }
}

void TestPlanWindow::repaintedPartsMatchAWholePaint_data()
{
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("seconds");

    // From 23:30 M 42 comes within an hour of the meridian (bold, bright); from 23:58 "Nah"
    // leaves that hour and moves to the queue's end.
    QTest::newRow("a minute") << QTime(23, 30) << 60;
    QTest::newRow("a row turns bold") << QTime(23, 33) << 150;
    QTest::newRow("a row leaves the hour") << QTime(23, 58) << 150;
}

void TestPlanWindow::repaintedPartsMatchAWholePaint()
{
    QFETCH(QTime, start);
    QFETCH(int, seconds);

    PlanFixture fixture;
    fixture.fakes().time.now.setTime(start);
    PlanWindow *plan = fixture.openPlan();
    plan->resize(plan->widthShowingEveryColumn(), plan->height());
    QTest::qWait(20);
    // Second by second, each refresh repainting what it changed: the screen must show what a
    // whole paint of the window shows.
    for (int second = 0; second < seconds; ++second) {
        fixture.fakes().time.now = fixture.fakes().time.now.addSecs(1);
        plan->refresh();
        QCoreApplication::processEvents();
    }
    const QImage shown = plan->screen()
                             ->grabWindow(plan->winId(), 0, 0, plan->width(), plan->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QImage whole = plan->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), whole.size());
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            if (shown.pixel(x, y) != whole.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
}

void TestPlanWindow::reloadFollowsTheChangedListFile_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("altitude");
    QTest::addColumn<QString>("declination");

    // "Nah" rewritten in Nacht.txt, then the list read again (the editor saved it).
    QTest::newRow("coordinates changed") << QByteArray("Nah;04:00:00;-20:00:00;weiter südlich")
                                         << QString() << QStringLiteral("-20:00:00");
    QTest::newRow("declination broken")
        << QByteArray("Nah;04:00:00;20:00;kaputt") << QStringLiteral("Deklination überprüfen")
        << QStringLiteral("20:00");
    QTest::newRow("too few fields")
        << QByteArray("Nah;04:00:00") << QStringLiteral("Datensatz überprüfen") << QString();
}

void TestPlanWindow::reloadFollowsTheChangedListFile()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, altitude);
    QFETCH(QString, declination);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const QString before =
        cell(*plan, rowOf(*plan, QStringLiteral("Nah")), PlanWindow::AltitudeColumn);
    QByteArray changed = NACHT;
    changed.replace("Nah;04:00:00;20:00:00;nahe am Meridian", line);
    QVERIFY(fixture.folder.write(QStringLiteral("Nacht.txt"), changed));
    plan->reload();
    const int row = rowOf(*plan, QStringLiteral("Nah"));
    QVERIFY(row >= 0);
    QCOMPARE(cell(*plan, row, PlanWindow::DeclinationColumn), declination);
    const QString now = cell(*plan, row, PlanWindow::AltitudeColumn);
    if (altitude.isEmpty()) {
        // 40 degrees further south: the altitude drops by about as much.
        QVERIFY2(now.endsWith(u'°') && now != before, qPrintable(now));
        QVERIFY(now.chopped(1).toDouble() < before.chopped(1).toDouble() - 35);
    } else {
        QCOMPARE(now, altitude);
    }
    // A second later the rows still come from the file as it now reads.
    fixture.fakes().time.now = fixture.fakes().time.now.addSecs(1);
    plan->refresh();
    QCOMPARE(cell(*plan, rowOf(*plan, QStringLiteral("Nah")), PlanWindow::DeclinationColumn),
             declination);
}

void TestPlanWindow::chartRepaintsOnlyWhenItsPictureChanges()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    plan->selectObject(QStringLiteral("M 42"));
    PaintCounter paints(plan->nightChart());
    QTRY_VERIFY(paints.count > 0);
    QTest::qWait(20);
    paints.count = 0;
    // Under a pixel of the time axis: nothing to draw.
    const int step = plan->nightChart()->secondsPerPixel();
    QVERIFY(step > 30);
    QDateTime &now = fixture.fakes().time.now;
    // At the start of a pixel of the local clock, read as a wall clock as the chart reads it.
    now = now.addSecs(-(QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch() % step));
    plan->refresh();
    QTest::qWait(20);
    paints.count = 0;
    for (int second = 1; second < step; ++second) {
        now = now.addSecs(1);
        plan->refresh();
    }
    QTest::qWait(20);
    QCOMPARE(paints.count, 0);
    now = now.addSecs(1);
    plan->refresh();
    QTRY_VERIFY(paints.count > 0);
}

void TestPlanWindow::chartHintWithoutSelection()
{
    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    QVERIFY(!plan->nightChart()->isEmpty());
    // A list without the main window's object: no row selected, the chart says what to do.
    controlsOf(fixture.window()).Combo3->setCurrentIndex(1);
    QCOMPARE(plan->selectedObject(), QString());
    QVERIFY(plan->nightChart()->isEmpty());
    const QImage image = plan->nightChart()->grab().toImage();
    QCOMPARE(firstLightPixel(image), QString());
    // Its line of text in the middle of the frame.
    int lit = 0;
    for (int x = 0; x < image.width(); ++x)
        lit += image.pixelColor(x, image.height() / 2 - 12 + 8).red() > 60 ||
               image.pixelColor(x, image.height() / 2 - 12).red() > 60;
    QVERIFY(lit > 20);
}

void TestPlanWindow::opensWhollyOnTheMainWindowsScreen_data()
{
    QTest::addColumn<QPoint>("mainWindowAt");
    QTest::newRow("room beside the main window") << QPoint(20, 20);
    QTest::newRow("main window at the right edge") << QPoint(2560 - 700, 40);
    QTest::newRow("main window low on the screen") << QPoint(100, 1440 - 450);
}

void TestPlanWindow::opensWhollyOnTheMainWindowsScreen()
{
    QFETCH(QPoint, mainWindowAt);

    PlanFixture fixture;
    fixture.window().move(mainWindowAt);
    PlanWindow *plan = fixture.openPlan();
    const QRect area = fixture.window().screen()->availableGeometry();
    QVERIFY2(area.contains(plan->frameGeometry()), qPrintable(describe(plan->frameGeometry())));
    QCOMPARE(plan->screen(), fixture.window().screen());
    // Beside the main window, not over it, where there is room.
    if (area.right() - fixture.window().frameGeometry().right() >= plan->frameGeometry().width())
        QVERIFY(!plan->frameGeometry().intersects(fixture.window().frameGeometry()));
}

void TestPlanWindow::nightLines_data()
{
    QTest::addColumn<QString>("site");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QStringList>("words");

    const QDate day(2026, 12, 8);
    QTest::newRow("Berlin, December evening")
        << "13.40 Berlin" << QDateTime(day, QTime(23, 30))
        << QStringList{
               "Sonnenuntergang 15:5", "dunkel 1",    "bis morgen 0", "Sonnenaufgang morgen 08:",
               "% beleuchtet",         "Mondaufgang", "Monduntergang"};
    QTest::newRow("the same night after midnight")
        << "13.40 Berlin" << QDateTime(day.addDays(1), QTime(2, 0))
        << QStringList{"Sonnenuntergang gestern 15:5", "Sonnenaufgang 08:"};
    QTest::newRow("polar night at 78° north")
        << "15.60 Longyearbyen" << QDateTime(day, QTime(23, 30))
        << QStringList{"Sonnenuntergang Polarnacht", "Mond: "};
    QTest::newRow("without latitude") << "8.55 Zürich" << QDateTime(day, QTime(23, 30))
                                      << QStringList{"ohne die Breite des Standorts"};
}

void TestPlanWindow::nightLines()
{
    QFETCH(QString, site);
    QFETCH(QDateTime, now);
    QFETCH(QStringList, words);

    PlanFixture fixture;
    fixture.fakes().time.now = now;
    controlsOf(fixture.window()).Combo1->setEditText(site);
    PlanWindow *plan = fixture.openPlan();
    for (const QString &word : words)
        QVERIFY2(plan->headerText().contains(word), qPrintable(plan->headerText()));
    QCOMPARE(firstLightPixel(plan->grab().toImage()), QString());
}

void TestPlanWindow::nightColumns_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");

    // 8 December, 23:30 in Berlin. M 42 (-5.4°) crosses at 00:35 and is then highest in the
    // darkness, at its culmination of 32°.
    QTest::newRow("M 42 rose this evening") << "M 42" << int(PlanWindow::RiseColumn) << "1[89]:";
    QTest::newRow("M 42 sets tomorrow morning")
        << "M 42" << int(PlanWindow::SetColumn) << "morgen 06:";
    QTest::newRow("M 42 best at its transit")
        << "M 42" << int(PlanWindow::BestTimeColumn) << "morgen 00:3. \\(32°\\)";
    QTest::newRow("Polaris never sets")
        << "Polaris" << int(PlanWindow::RiseColumn) << "zirkumpolar";
    QTest::newRow("Tief never rises") << "Tief" << int(PlanWindow::SetColumn) << "geht nie auf";
    QTest::newRow("Tief has no best time") << "Tief" << int(PlanWindow::BestTimeColumn) << ".+";
    QTest::newRow("Moon distance in whole degrees")
        << "M 42" << int(PlanWindow::MoonColumn) << "\\d{1,3}°";
    QTest::newRow("no right ascension: nothing") << "Kaputt" << int(PlanWindow::MoonColumn) << "";
}

void TestPlanWindow::nightColumns()
{
    QFETCH(QString, object);
    QFETCH(int, column);
    QFETCH(QString, text);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    const QString shown = cell(*plan, rowOf(*plan, object), column);
    const QRegularExpression expected(QRegularExpression::anchoredPattern(
        text.endsWith(u':') ? text + QStringLiteral("\\d\\d") : text));
    QVERIFY2(expected.match(shown).hasMatch(), qPrintable(shown));
    QVERIFY(!plan->table()
                 ->model()
                 ->headerData(column, Qt::Horizontal, Qt::ToolTipRole)
                 .toString()
                 .isEmpty());
}

void TestPlanWindow::nightColumnsSortByValue_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("Aufgang") << int(PlanWindow::RiseColumn);
    QTest::newRow("Untergang") << int(PlanWindow::SetColumn);
    QTest::newRow("Beste Zeit") << int(PlanWindow::BestTimeColumn);
    QTest::newRow("Mond") << int(PlanWindow::MoonColumn);
}

void TestPlanWindow::nightColumnsSortByValue()
{
    QFETCH(int, column);

    PlanFixture fixture;
    PlanWindow *plan = fixture.openPlan();
    plan->table()->sortByColumn(column, Qt::AscendingOrder);
    const QAbstractItemModel *model = plan->table()->model();
    // Values rise down the table; the empty ones follow.
    double previous = -1e18;
    bool empty = false;
    for (int row = 0; row < model->rowCount(); ++row) {
        const QVariant value = model->index(row, column).data(Qt::UserRole);
        if (!value.isValid()) {
            empty = true;
            continue;
        }
        QVERIFY2(!empty && value.toDouble() >= previous, qPrintable(names(*plan).join(u',')));
        previous = value.toDouble();
    }
}

// The offscreen platform's screen is 800 x 600 unless told otherwise; here it is wide enough for
// the main window and every column of the plan beside it.
int main(int argc, char *argv[])
{
    QTemporaryFile screens;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        screens.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 2560,
                          "height": 1440, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        screens.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    TestPlanWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_planwindow.moc"
