// SPDX-License-Identifier: GPL-3.0-or-later
// A readout repaints only what changed; what the screen shows must stay, pixel for pixel,
// what a readout that draws its whole line on every paint shows.
#include "astro/sidereal.h"
#include "clock/picturebox.h"
#include "clock/readouttext.h"
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

namespace {

/// A readout as it was drawn before: cleared and its whole line shaped and drawn on every
/// paint, with the baseline at the fitted font's ascent.
class WholeLineReadout : public QWidget
{
public:
    WholeLineReadout(const PictureBox &box, const QString &text)
        : text(text), fitted(box.printingFont())
    {
        setAutoFillBackground(true);
        // The box's colours, whether its own or inherited from its window.
        QPalette colours;
        colours.setBrush(QPalette::Window, box.palette().brush(box.backgroundRole()));
        colours.setBrush(QPalette::WindowText, box.palette().brush(box.foregroundRole()));
        setPalette(colours);
        resize(box.size());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (text.isEmpty())
            return;
        QPainter painter(this);
        painter.setFont(fitted);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(QPointF(0, QFontMetricsF(fitted).ascent()), text);
    }

private:
    QString text;
    QFont fitted;
};

QImage drawnWhole(const PictureBox &box, const QString &text)
{
    return WholeLineReadout(box, text).grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// What the screen shows of a widget: the window's backing store, where only the
/// repainted parts have been drawn again.
QImage onScreen(const QWidget &widget)
{
    const QPoint topLeft = widget.mapTo(widget.window(), QPoint(0, 0));
    return widget.screen()
        ->grabWindow(widget.window()->winId(), topLeft.x(), topLeft.y(), widget.width(),
                     widget.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QString firstDifference(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2 instead of %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2 is %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(actual.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name());
    return {};
}

#define COMPARE_PIXELS(actual, expected, what)                                                     \
    do {                                                                                           \
        const QString difference = firstDifference(actual, expected);                              \
        QVERIFY2(difference.isEmpty(),                                                             \
                 qPrintable(QString(what) + QStringLiteral(": ") + difference));                   \
    } while (false)

/// Records the areas the box is asked to paint.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *widget) { widget->installEventFilter(this); }
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(event)->region();
            ++paints;
        }
        return false;
    }
};

/// Lets queued changes and the repaints they ask for run, without waiting for time.
void settle()
{
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
}

QFont readoutFont(double points, bool underline = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(points);
    font.setBold(true);
    font.setUnderline(underline);
    return font;
}

} // namespace

class TestPictureBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void looksAsDrawnWhole_data();
    void looksAsDrawnWhole();
    void repaintsOnlyWhatChanged_data();
    void repaintsOnlyWhatChanged();
    void tickingLinesLookAsDrawnWhole_data();
    void tickingLinesLookAsDrawnWhole();
    void runningClockLooksAsDrawnWhole();
    void newColoursShowOnTheSameSeconds();

private:
    /// A shown box of that size and font in a black window, painted with its first line.
    void showBox(QSize size, const QFont &font, const QString &line);

    std::unique_ptr<QWidget> window;
    PictureBox *box = nullptr;
};

void TestPictureBox::initTestCase()
{
    configureApplication(*qApp);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestPictureBox::showBox(QSize size, const QFont &font, const QString &line)
{
    window = std::make_unique<QWidget>();
    window->resize(size + QSize(20, 20));
    box = new PictureBox(window.get());
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, QColor(0xc0, 0, 0));
    box->setPalette(colours);
    box->setFont(font);
    box->setGeometry(QRect(QPoint(10, 10), size));
    box->Print(line);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    settle();
}

void TestPictureBox::looksAsDrawnWhole_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QString>("text");
    // The main window's readouts at their design sizes, and lines shrunk to fit.
    QTest::newRow("sidereal time") << QSize(289, 41) << 18.0 << false << "4 h 34 m 21 s";
    QTest::newRow("widest hour angle") << QSize(297, 41) << 18.0 << false << "-23 h 59 m 59 s";
    QTest::newRow("date-time, shrunk") << QSize(129, 17) << 18.0 << false << "28.12.2026 23:58:58";
    QTest::newRow("kerned ones") << QSize(129, 17) << 8.25 << false << "11.11.2011 11:11:11";
    QTest::newRow("shrunk to a fraction") << QSize(60, 41) << 18.0 << false << "22 h 59 m 49 s";
    QTest::newRow("underlined") << QSize(289, 41) << 18.0 << true << "4 h 34 m 21 s";
    QTest::newRow("letters") << QSize(289, 41) << 18.0 << false << "AVA Tour fi WAW";
}

void TestPictureBox::looksAsDrawnWhole()
{
    QFETCH(QSize, size);
    QFETCH(double, points);
    QFETCH(bool, underline);
    QFETCH(QString, text);
    showBox(size, readoutFont(points, underline), text);
    COMPARE_PIXELS(onScreen(*box), drawnWhole(*box, text), "on screen");
    COMPARE_PIXELS(box->grab().toImage().convertToFormat(QImage::Format_RGB32),
                   drawnWhole(*box, text), "grabbed");
}

void TestPictureBox::repaintsOnlyWhatChanged_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // Characters at the start whose place must not be painted again.
    QTest::addColumn<int>("untouched");
    // The right end of the painted band is at most this far into the line, in characters.
    QTest::addColumn<int>("paintedUpTo");

    const QSize sidereal(289, 41);
    const QSize dateTime(129, 17);
    QTest::newRow("the seconds") << sidereal << 18.0 << false << "4 h 34 m 21 s"
                                 << "4 h 34 m 22 s" << 10 << 11;
    QTest::newRow("the seconds into kerned ones") << sidereal << 18.0 << false << "4 h 34 m 10 s"
                                                  << "4 h 34 m 11 s" << 10 << 13;
    QTest::newRow("the minute") << dateTime << 8.25 << false << "08.12.2026 23:30:59"
                                << "08.12.2026 23:31:00" << 15 << 19;
    QTest::newRow("the hour, line shorter") << sidereal << 18.0 << false << "9 h 59 m 59 s"
                                            << "10 h 0 m 0 s" << 0 << 13;
    QTest::newRow("middle only, same length") << sidereal << 18.0 << false << "4 h 34 m 21 s"
                                              << "4 h 35 m 21 s" << 5 << 6;
    QTest::newRow("shrunk date-time, the second")
        << dateTime << 18.0 << false << "28.12.2026 23:58:58"
        << "28.12.2026 23:58:59" << 18 << 19;
    QTest::newRow("longer line in a smaller fitted font")
        << QSize(150, 41) << 18.0 << false << "9 h 59 m 59 s"
        << "-10 h 0 m 0 s" << 0 << 13;
    QTest::newRow("a mark before the change")
        << sidereal << 18.0 << false << QString::fromUtf8("4 h x\u03011 s")
        << QString::fromUtf8("4 h x\u03012 s") << 4 << 8;
    QTest::newRow("unchanged") << sidereal << 18.0 << false << "4 h 34 m 21 s"
                               << "4 h 34 m 21 s" << 13 << 0;
    QTest::newRow("cleared") << sidereal << 18.0 << false << "4 h 34 m 21 s"
                             << "" << 0 << 13;
    QTest::newRow("underlined seconds") << sidereal << 18.0 << true << "4 h 34 m 21 s"
                                        << "4 h 34 m 22 s" << 0 << 13;
}

void TestPictureBox::repaintsOnlyWhatChanged()
{
    QFETCH(QSize, size);
    QFETCH(double, points);
    QFETCH(bool, underline);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, untouched);
    QFETCH(int, paintedUpTo);
    showBox(size, readoutFont(points, underline), before);
    COMPARE_PIXELS(onScreen(*box), drawnWhole(*box, before), "first line");
    const QFontMetricsF metrics(box->printingFont());

    // Cleared, then printed: the new line is compared with what the box shows.
    PaintRecorder recorder(box);
    box->Cls();
    if (!after.isEmpty())
        box->Print(after);
    settle();
    COMPARE_PIXELS(onScreen(*box), drawnWhole(*box, after), "after the change");

    if (paintedUpTo == 0) {
        QCOMPARE(recorder.paints, 0);
        return;
    }
    QVERIFY(recorder.paints > 0);
    const QRect painted = recorder.painted.boundingRect();
    // The ink of a glyph may reach a few pixels beyond its advance.
    const int slack = 3;
    const auto advance = [&](int characters) {
        return metrics.horizontalAdvance(before.left(characters));
    };
    QVERIFY2(painted.left() >= advance(untouched) - slack,
             qPrintable(QStringLiteral("painted from x = %1, the first %2 characters end at %3")
                            .arg(painted.left())
                            .arg(untouched)
                            .arg(advance(untouched))));
    if (paintedUpTo < std::max(before.size(), after.size()))
        QVERIFY2(painted.right() <= advance(paintedUpTo) + slack,
                 qPrintable(QStringLiteral("painted up to x = %1, %2 characters end at %3")
                                .arg(painted.right())
                                .arg(paintedUpTo)
                                .arg(advance(paintedUpTo))));
}

void TestPictureBox::tickingLinesLookAsDrawnWhole_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("dateTime");
    QTest::addColumn<int>("firstSecond");
    QTest::addColumn<int>("seconds");
    // Runs of consecutive readouts: seconds, minutes and hours rolling over, kerned ones
    // (11) coming and going, lines growing and shrinking.
    const QSize sidereal(289, 41);
    QTest::newRow("hours, the eleventh hour")
        << sidereal << 18.0 << false << 10 * 3600 + 58 * 60 + 50 << 200;
    QTest::newRow("hours, minute 11")
        << sidereal << 18.0 << false << 11 * 3600 + 10 * 60 + 55 << 90;
    QTest::newRow("hours, around zero") << sidereal << 18.0 << false << -70 << 140;
    QTest::newRow("hours, shrunk") << QSize(120, 41) << 18.0 << false << 23 * 3600 + 59 * 60 << 70;
    QTest::newRow("date-time, midnight")
        << QSize(129, 17) << 18.0 << true << 23 * 3600 + 59 * 60 + 5 << 120;
    QTest::newRow("date-time, 11:11")
        << QSize(129, 17) << 8.25 << true << 11 * 3600 + 10 * 60 + 50 << 90;
}

void TestPictureBox::tickingLinesLookAsDrawnWhole()
{
    QFETCH(QSize, size);
    QFETCH(double, points);
    QFETCH(bool, dateTime);
    QFETCH(int, firstSecond);
    QFETCH(int, seconds);
    const auto readout = [&](int second) {
        if (dateTime)
            return DateTimeText(QDateTime(QDate(2011, 11, 10), QTime(0, 0)).addSecs(second),
                                QLocale(QLocale::German, QLocale::Germany));
        // Half a second in, clear of the floor at each whole second.
        return SplitTimeText(astro::SplitHours((second + 0.5) / 3600));
    };
    showBox(size, readoutFont(points), readout(firstSecond));
    for (int second = firstSecond; second <= firstSecond + seconds; ++second) {
        const QString text = readout(second);
        box->Print(text);
        settle();
        COMPARE_PIXELS(onScreen(*box), drawnWhole(*box, text), text);
    }
}

void TestPictureBox::runningClockLooksAsDrawnWhole()
{
    // The real main window, its clock ticking over a minute: every readout on screen
    // looks as if it had been drawn whole.
    TestMainWindow fixture;
    Form1 &mainWindow = *fixture.window;
    fixture.fakes.time.now = QDateTime(QDate(2026, 12, 8), QTime(23, 30, 58));
    controlsOf(mainWindow).Combo1->setEditText(QStringLiteral("13.4 Testort"));
    controlsOf(mainWindow).Text1->setText(QStringLiteral("5"));
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    // The focus frame lies over whichever control has the focus: on "Start", as after a click,
    // it leaves the readouts to themselves.
    controlsOf(mainWindow).Command1->setFocus();
    settle();
    fixture.fakes.pause.script = [&](int number) {
        settle();
        fixture.fakes.time.now = fixture.fakes.time.now.addSecs(1);
        if (number == 3)
            controlsOf(mainWindow).Command2->click();
    };
    controlsOf(mainWindow).Command1->click();
    settle();
    QCOMPARE(controlsOf(mainWindow).Picture4->printedText(), QStringLiteral("08.12.2026 23:31:01"));
    for (PictureBox *readout : {controlsOf(mainWindow).Picture1, controlsOf(mainWindow).Picture2,
                                controlsOf(mainWindow).Picture3, controlsOf(mainWindow).Picture4})
        COMPARE_PIXELS(onScreen(*readout), drawnWhole(*readout, readout->printedText()),
                       readout->objectName());
}

// New colours (the night switch) show on the same seconds as drawn whole: the box clears
// its own background in the colour it has now.
void TestPictureBox::newColoursShowOnTheSameSeconds()
{
    const QStringList seconds{QStringLiteral("4 h 34 m 21 s"), QStringLiteral("4 h 34 m 22 s"),
                              QStringLiteral("4 h 34 m 23 s")};
    showBox(QSize(289, 41), readoutFont(18.0), seconds.first());
    for (const QString &text : seconds) {
        box->Print(text);
        settle();
    }
    for (const QColor &background : {QColor(Qt::black), QColor(0x20, 0, 0)}) {
        QPalette colours = box->palette();
        colours.setColor(QPalette::Window, background);
        colours.setColor(QPalette::WindowText, QColor(0xff, 0x40, 0x40));
        box->setPalette(colours);
        box->Print(seconds.first());
        settle();
        for (const QString &text : seconds) {
            box->Print(text);
            settle();
            COMPARE_PIXELS(onScreen(*box), drawnWhole(*box, text),
                           text + QStringLiteral(" on ") + background.name());
        }
    }
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
