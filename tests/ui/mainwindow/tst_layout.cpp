// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/picturebox.h"
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/form1design.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

/// The design client area, pixels (8880 x 6345 twips).
const QSize DESIGN_CLIENT(592, 423);
/// The design outer size, twips: the client area plus 60 twips left, right and
/// bottom and 345 twips above it.
constexpr double DESIGN_OUTER_WIDTH_TWIPS = 9000;
constexpr double DESIGN_OUTER_HEIGHT_TWIPS = 6750;
/// Long enough for the window's settling pause before it corrects its shape.
constexpr int SETTLE_TIMEOUT_MS = 5000;

QMargins frameOf(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

QSize outerSize(const QWidget &window)
{
    return window.frameGeometry().size();
}

/// Within a pixel of 4:3: one pixel of width moves 3 x width by 3, one of height 4 x height by 4.
bool isFourToThree(QSize outer)
{
    return std::abs(outer.width() * 3 - outer.height() * 4) <= 4;
}

/// The control names of the design table by layout rank.
std::array<std::string_view, FORM1_CONTROL_COUNT> layoutOrder()
{
    std::array<std::string_view, FORM1_CONTROL_COUNT> names{};
    for (const ControlDesign &design : FORM1_CONTROLS)
        names[std::size_t(design.layoutRank)] = design.name;
    return names;
}

/// The window has taken its shape: the saved size is its outer size (twips).
bool settled(const Form1 &window)
{
    const QSize outer = window.frameGeometry().size();
    return window.layout().savedWidth() == float(outer.width() * TWIPS_PER_PIXEL) &&
           window.layout().savedHeight() == float(outer.height() * TWIPS_PER_PIXEL);
}

void setOuterSize(QWidget &window, QSize outer)
{
    const QMargins frame = frameOf(window);
    window.resize(outer.width() - frame.left() - frame.right(),
                  outer.height() - frame.top() - frame.bottom());
}

QString near(double got, double want, double tolerance, const QString &what)
{
    if (std::abs(got - want) <= tolerance)
        return {};
    return QStringLiteral("%1: want %2 (within %3), got %4")
        .arg(what)
        .arg(want)
        .arg(tolerance)
        .arg(got);
}

#define VERIFY_NEAR(got, want, tolerance, what)                                                    \
    do {                                                                                           \
        const QString problem = near((got), (want), (tolerance), (what));                          \
        QVERIFY2(problem.isEmpty(), qPrintable(problem));                                          \
    } while (false)

QString nameOf(const ControlDesign &design)
{
    return QString::fromLatin1(design.name.data(), qsizetype(design.name.size()));
}

/// Font size rule in points: control height in twips over its divisor; 0 for buttons.
double ruleDivisor(ControlKind kind)
{
    switch (kind) {
    case ControlKind::MultiLineTextBox:
        return 70;
    case ControlKind::ComboBox:
        return 17;
    case ControlKind::Button:
        return 0;
    default:
        return 18;
    }
}

/// Height in pixels that a combo box with this frame takes with an 8-point font,
/// measured on a combo box of our own.
int comboHeightAtEightPoints(const QComboBox &like)
{
    QComboBox probe;
    probe.setEditable(true);
    probe.setFrame(like.hasFrame());
    QFont font = like.font();
    font.setPointSizeF(8);
    probe.setFont(font);
    return probe.sizeHint().height();
}

/// Pixels a line of text covers when drawn like a readout, on a canvas larger than the box.
QRect inkBounds(const QFont &font, const QString &text, QSize box)
{
    QImage canvas(box + QSize(200, 200), QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), text);
    }
    QRect ink;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != qRgb(0, 0, 0))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

/// Every control's geometry and font size, to compare two layouts.
struct LayoutSnapshot
{
    std::vector<QRect> geometry;
    std::vector<double> points;
    bool operator==(const LayoutSnapshot &) const = default;
};

LayoutSnapshot snapshot(const Form1 &window)
{
    LayoutSnapshot taken;
    for (const ControlDesign &design : FORM1_CONTROLS) {
        const QWidget *control = controlNamed(window, design.name);
        taken.geometry.push_back(control->geometry());
        taken.points.push_back(control->font().pointSizeF());
    }
    return taken;
}

/// Checks every control against its design geometry scaled from the reference outer
/// size to the given one, each axis on its own (pixels).
void verifyLaidOut(const Form1 &window, QSizeF outer, QSizeF reference)
{
    const double horizontal = outer.width() / reference.width() / TWIPS_PER_PIXEL;
    const double vertical = outer.height() / reference.height() / TWIPS_PER_PIXEL;
    for (const ControlDesign &design : FORM1_CONTROLS) {
        const QWidget *control = controlNamed(window, design.name);
        const QRect got = control->geometry();
        const QString name = nameOf(design);
        VERIFY_NEAR(got.left(), design.left * horizontal, 1, name + " left");
        VERIFY_NEAR(got.top(), design.top * vertical, 1, name + " top");
        VERIFY_NEAR(got.width(), design.width * horizontal, 1, name + " width");
        if (design.kind != ControlKind::ComboBox)
            VERIFY_NEAR(got.height(), design.height * vertical, 1, name + " height");
    }
}

/// Checks every control's font against the rule, with the height as laid out.
void verifyRuleFonts(const Form1 &window)
{
    for (const ControlDesign &design : FORM1_CONTROLS) {
        const QWidget *control = controlNamed(window, design.name);
        const double divisor = ruleDivisor(design.kind);
        const double got = control->font().pointSizeF();
        const QString what = nameOf(design) + " points";
        if (design.kind == ControlKind::Button) {
            VERIFY_NEAR(got, design.fontPoints, 1e-9, what);
        } else if (design.kind == ControlKind::ComboBox) {
            const auto *combo = static_cast<const QComboBox *>(control);
            VERIFY_NEAR(got, comboHeightAtEightPoints(*combo) * 15.0 / divisor, 1e-4, what);
        } else {
            VERIFY_NEAR(got, std::max(1.0, control->height() * 15.0 / divisor), 1e-4, what);
        }
    }
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void captureBeforeShowingUsesTheDesignFrame();
    void firstLayoutKeepsDesignGeometryWithRuleFonts_data();
    void firstLayoutKeepsDesignGeometryWithRuleFonts();
    void resizingKeepsFourToThree_data();
    void resizingKeepsFourToThree();
    void maximisedScalesEachAxisAndRestores();
    void minimisedAndRestoredKeepsTheLayout();
    void repeatedLayoutsAccumulateNoError();
    void comboFontsDoNotDependOnTheWindowSize();
    void combosStopAtTheControlBelow_data();
    void combosStopAtTheControlBelow();
    void windowStopsAtHalfTheDesignSize();
    void tinySizesNeverGiveZeroFonts();
    void readoutsStayWhole_data();
    void readoutsStayWhole();
    void resizingWhileTheClockRuns();

private:
    /// Shows the window, active, and returns its outer size at load (pixels).
    QSize showActive();

    std::unique_ptr<TestMainWindow> fixture;
    FakeServices *fakes = nullptr;
    Form1 *window = nullptr;
};

void TestLayout::initTestCase()
{
    configureApplication(*qApp);
}

void TestLayout::init()
{
    fixture = std::make_unique<TestMainWindow>();
    fakes = &fixture->fakes;
    window = fixture->window.get();
}

void TestLayout::cleanup()
{
    fixture.reset();
    fakes = nullptr;
    window = nullptr;
}

QSize TestLayout::showActive()
{
    window->move(0, 0);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the main window did not become active");
    // The window keeps its load size: the design client area plus this platform's frame.
    const QMargins frame = frameOf(*window);
    return DESIGN_CLIENT.grownBy(frame);
}

void TestLayout::captureBeforeShowingUsesTheDesignFrame()
{
    // Before it is shown the window has no frame; the design frame stands in.
    VERIFY_NEAR(window->layout().savedWidth(), DESIGN_OUTER_WIDTH_TWIPS, 0, "SavedWidth");
    VERIFY_NEAR(window->layout().savedHeight(), DESIGN_OUTER_HEIGHT_TWIPS, 0, "SavedHeight");

    const std::array<std::string_view, FORM1_CONTROL_COUNT> order{
        "Check1",   "Picture1", "Picture2", "Picture3", "Picture4", "Text1",    "Text2",
        "Text3",    "Text4",    "Text5",    "Command1", "Command2", "Command3", "Command4",
        "Command5", "Label1",   "Label2",   "Label3",   "Label4",   "Label5",   "Label6",
        "Label7",   "Label8",   "Label9",   "Label10",  "Label11",  "Label12",  "Label13",
        "Label14",  "Combo1",   "Combo2",   "Combo3"};
    QCOMPARE(layoutOrder(), order);

    // Picture2 sits at 4440, 2280 and is 4335 x 615 twips; Combo2 has no height ratio.
    const LayoutRatios &picture2 = window->layout().ratios()[2];
    VERIFY_NEAR(picture2.TopRatio, 2280 / 6750.0, 1e-7, "Picture2 TopRatio");
    VERIFY_NEAR(picture2.LeftRatio, 4440 / 9000.0, 1e-7, "Picture2 LeftRatio");
    VERIFY_NEAR(picture2.WidthRatio, 4335 / 9000.0, 1e-7, "Picture2 WidthRatio");
    VERIFY_NEAR(picture2.HeightRatio, 615 / 6750.0, 1e-7, "Picture2 HeightRatio");
    const LayoutRatios &combo2 = window->layout().ratios()[30];
    VERIFY_NEAR(combo2.TopRatio, 480 / 6750.0, 1e-7, "Combo2 TopRatio");
    VERIFY_NEAR(combo2.LeftRatio, 5400 / 9000.0, 1e-7, "Combo2 LeftRatio");
    VERIFY_NEAR(combo2.HeightRatio, 0, 0, "Combo2 HeightRatio");
}

void TestLayout::firstLayoutKeepsDesignGeometryWithRuleFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("points");
    QTest::newRow("label 255 twips high: 255 / 18") << "Label1" << 255 / 18.0;
    QTest::newRow("thin rule 46 twips, laid out 3 px = 45 twips: 45 / 18") << "Label14" << 2.5;
    QTest::newRow("check box 255 twips high: 255 / 18") << "Check1" << 255 / 18.0;
    QTest::newRow("Text5 1215 twips high: 1215 / 70") << "Text5" << 1215 / 70.0;
    QTest::newRow("Text2 645 twips high: 645 / 18") << "Text2" << 645 / 18.0;
    QTest::newRow("readout 615 twips high: 615 / 18") << "Picture2" << 615 / 18.0;
    QTest::newRow("readout 255 twips high: 255 / 18") << "Picture4" << 255 / 18.0;
    QTest::newRow("button keeps its design font") << "Command1" << 8.25;
}

void TestLayout::firstLayoutKeepsDesignGeometryWithRuleFonts()
{
    QFETCH(QString, name);
    QFETCH(double, points);
    // The fonts follow the rule from the first moment the window is shown.
    window->show();
    const QWidget *control = controlNamed(*window, name);
    VERIFY_NEAR(control->font().pointSizeF(), points, 1e-4, name + " points");

    const QSize load = showActive();
    QCOMPARE(outerSize(*window), load);
    verifyLaidOut(*window, load, load);
    verifyRuleFonts(*window);
}

void TestLayout::resizingKeepsFourToThree_data()
{
    QTest::addColumn<QSize>("change"); // added to the outer size at load, pixels
    QTest::addColumn<bool>("heightGoverns");
    QTest::newRow("bottom edge down: width follows") << QSize(0, 150) << true;
    QTest::newRow("bottom edge up: width follows") << QSize(0, -80) << true;
    QTest::newRow("right edge out: height follows") << QSize(220, 0) << false;
    QTest::newRow("right edge in: height follows") << QSize(-120, 0) << false;
    QTest::newRow("corner out: height governs") << QSize(300, 60) << true;
    QTest::newRow("corner, width in and height out: height governs") << QSize(-100, 100) << true;
}

void TestLayout::resizingKeepsFourToThree()
{
    QFETCH(QSize, change);
    QFETCH(bool, heightGoverns);
    const QSize load = showActive();

    const QSize asked = load + change;
    setOuterSize(*window, asked);
    const QSize want = heightGoverns
                           ? QSize(int(std::lround(asked.height() * 4.0 / 3)), asked.height())
                           : QSize(asked.width(), int(std::lround(asked.width() * 3.0 / 4)));
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window), SETTLE_TIMEOUT_MS);
    const QSize got = outerSize(*window);
    VERIFY_NEAR(got.width(), want.width(), 1, "outer width");
    VERIFY_NEAR(got.height(), want.height(), 1, "outer height");
    QVERIFY(isFourToThree(got));
    verifyLaidOut(*window, got, load);
    verifyRuleFonts(*window);
}

void TestLayout::maximisedScalesEachAxisAndRestores()
{
    const QSize load = showActive();
    setOuterSize(*window, load + QSize(0, 60));
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window) != load, SETTLE_TIMEOUT_MS);
    const QSize normal = outerSize(*window);
    const LayoutSnapshot beforeMaximising = snapshot(*window);

    window->showMaximized();
    QTRY_VERIFY(window->isMaximized() && outerSize(*window) != normal);
    // Long enough for a correction to have happened if there were one.
    QTest::qWait(600);
    const QSize maximised = outerSize(*window);
    QVERIFY(window->isMaximized());
    // No aspect step ran: it would have saved the maximised size.
    VERIFY_NEAR(window->layout().savedWidth(), normal.width() * 15.0, 0,
                "SavedWidth while maximised");
    VERIFY_NEAR(window->layout().savedHeight(), normal.height() * 15.0, 0,
                "SavedHeight while maximised");
    verifyLaidOut(*window, maximised, load);
    verifyRuleFonts(*window);

    window->showNormal();
    QTRY_COMPARE(outerSize(*window), normal);
    QTRY_VERIFY(snapshot(*window) == beforeMaximising);
}

void TestLayout::minimisedAndRestoredKeepsTheLayout()
{
    const QSize load = showActive();
    setOuterSize(*window, load + QSize(90, 90));
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window) != load, SETTLE_TIMEOUT_MS);
    const QSize normal = outerSize(*window);
    const LayoutSnapshot before = snapshot(*window);

    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    window->showNormal();
    window->activateWindow();
    QTRY_VERIFY(!window->isMinimized());
    QTest::qWait(500);
    QCOMPARE(outerSize(*window), normal);
    QVERIFY(snapshot(*window) == before);
}

void TestLayout::repeatedLayoutsAccumulateNoError()
{
    const QSize load = showActive();
    const auto ratios = window->layout().ratios();
    const LayoutSnapshot atLoad = snapshot(*window);
    for (int i = 0; i < 50; ++i)
        window->Form_Resize();
    QVERIFY(snapshot(*window) == atLoad);

    // To a size, out through several others and back: the same layout both times.
    setOuterSize(*window, load + QSize(0, 200));
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window) != load, SETTLE_TIMEOUT_MS);
    const QSize first = outerSize(*window);
    const LayoutSnapshot atFirst = snapshot(*window);
    for (const int height : {first.height() + 37, first.height() - 150, first.height() + 11}) {
        setOuterSize(*window, QSize(first.width(), height));
        QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window).height() == height,
                                 SETTLE_TIMEOUT_MS);
    }
    setOuterSize(*window, first);
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window) == first, SETTLE_TIMEOUT_MS);
    QVERIFY(snapshot(*window) == atFirst);
    for (std::size_t i = 0; i < ratios.size(); ++i) {
        const LayoutRatios &now = window->layout().ratios()[i];
        QVERIFY2(now.TopRatio == ratios[i].TopRatio && now.LeftRatio == ratios[i].LeftRatio &&
                     now.WidthRatio == ratios[i].WidthRatio &&
                     now.HeightRatio == ratios[i].HeightRatio,
                 layoutOrder()[i].data());
    }
}

void TestLayout::comboFontsDoNotDependOnTheWindowSize()
{
    const QSize load = showActive();
    const double atLoad = controlsOf(*window).Combo2->font().pointSizeF();
    setOuterSize(*window, load + QSize(0, 250));
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window) != load, SETTLE_TIMEOUT_MS);
    VERIFY_NEAR(controlsOf(*window).Combo2->font().pointSizeF(), atLoad, 0,
                "Combo2 points, larger window");
    VERIFY_NEAR(controlsOf(*window).Combo2->font().pointSizeF(),
                comboHeightAtEightPoints(*controlsOf(*window).Combo2) * 15.0 / 17, 1e-4,
                "Combo2 points");
    // Its height follows its font, not a fraction.
    QCOMPARE(controlsOf(*window).Combo2->height(), controlsOf(*window).Combo2->sizeHint().height());
}

void TestLayout::combosStopAtTheControlBelow_data()
{
    QTest::addColumn<int>("heightChange"); // pixels added to the outer height at load
    QTest::newRow("design size") << 0;
    QTest::newRow("smaller") << -90;
    QTest::newRow("larger") << 200;
}

void TestLayout::combosStopAtTheControlBelow()
{
    QFETCH(int, heightChange);
    const QSize load = showActive();
    if (heightChange != 0) {
        setOuterSize(*window, load + QSize(0, heightChange));
        QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window) != load, SETTLE_TIMEOUT_MS);
    }
    // The rule's large font would push Combo2 over the Edit button below it.
    for (const char *comboName : {"Combo1", "Combo2", "Combo3"}) {
        const QRect combo = controlNamed(*window, comboName)->geometry();
        for (const ControlDesign &design : FORM1_CONTROLS) {
            const QWidget *other = controlNamed(*window, design.name);
            if (other->geometry() == combo)
                continue;
            QVERIFY2(!combo.intersects(other->geometry()),
                     qPrintable(QStringLiteral("%1 overlaps %2").arg(comboName, nameOf(design))));
        }
    }
}

void TestLayout::windowStopsAtHalfTheDesignSize()
{
    showActive();
    window->resize(1, 1);
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window), SETTLE_TIMEOUT_MS);
    // Half the design outer size, 4500 x 3375 twips, is still 4:3.
    QCOMPARE(outerSize(*window), QSize(300, 225));
    verifyRuleFonts(*window);
}

void TestLayout::tinySizesNeverGiveZeroFonts()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("QFont::setPointSize")));
    showActive();
    // As a platform might report for a minimised window.
    window->setMinimumSize(1, 1);
    window->resize(1, 1);
    window->Form_Resize();
    for (const ControlDesign &design : FORM1_CONTROLS) {
        const QWidget *control = controlNamed(*window, design.name);
        QVERIFY2(control->font().pointSizeF() >= 1, design.name.data());
        QVERIFY2(control->width() >= 1 && control->height() >= 1, design.name.data());
    }
}

void TestLayout::readoutsStayWhole_data()
{
    QTest::addColumn<int>("outerHeight"); // pixels
    QTest::newRow("smallest window") << 225;
    QTest::newRow("design size") << 450;
    QTest::newRow("twice the design size") << 900;
}

void TestLayout::readoutsStayWhole()
{
    QFETCH(int, outerHeight);
    showActive();
    setOuterSize(*window, QSize(outerHeight * 4 / 3, outerHeight));
    QTRY_VERIFY_WITH_TIMEOUT(settled(*window) && outerSize(*window).height() == outerHeight,
                             SETTLE_TIMEOUT_MS);

    // The longest readouts: a two-digit date-time and the widest split hours.
    const QString dateTime = QStringLiteral("28.12.2026 23:58:58");
    const QString hours = QStringLiteral("-23 h 59 m 59 s");
    for (PictureBox *box : {controlsOf(*window).Picture1, controlsOf(*window).Picture4})
        box->Print(dateTime);
    for (PictureBox *box : {controlsOf(*window).Picture2, controlsOf(*window).Picture3})
        box->Print(hours);

    for (PictureBox *box : {controlsOf(*window).Picture1, controlsOf(*window).Picture2,
                            controlsOf(*window).Picture3, controlsOf(*window).Picture4}) {
        const QString name = box->objectName();
        const QFontMetricsF metrics(box->printingFont());
        QVERIFY2(metrics.horizontalAdvance(box->printedText()) <= box->width(),
                 qPrintable(name + " is cut at the right"));
        QVERIFY2(metrics.height() <= box->height(), qPrintable(name + " is cut at the bottom"));
        QVERIFY(box->printingFont().pointSizeF() <= box->font().pointSizeF());

        // The ink, drawn unclipped from the top left with the baseline at the ascent,
        // stays inside the box.
        const QRect ink = inkBounds(box->printingFont(), box->printedText(), box->size());
        QVERIFY2(ink.left() >= 0 && ink.right() < box->width(),
                 qPrintable(QStringLiteral("%1 ink %2..%3 is wider than the box, %4 px")
                                .arg(name)
                                .arg(ink.left())
                                .arg(ink.right())
                                .arg(box->width())));
        QVERIFY2(ink.top() >= 0 && ink.bottom() < box->height(),
                 qPrintable(QStringLiteral("%1 ink %2..%3 is taller than the box, %4 px")
                                .arg(name)
                                .arg(ink.top())
                                .arg(ink.bottom())
                                .arg(box->height())));

        // And it is drawn.
        const QImage image = box->grab().toImage();
        const QColor background = box->palette().color(box->backgroundRole());
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = image.pixelColor(x, y) != background;
        QVERIFY2(drawn, qPrintable(name + " shows nothing"));
    }
}

void TestLayout::resizingWhileTheClockRuns()
{
    const QSize load = showActive();
    const QSize larger(int(std::lround((load.height() + 150) * 4.0 / 3)), load.height() + 150);
    double pointsDuringRun = 0;
    fakes->pause.script = [&](int wait) {
        if (wait == 1)
            setOuterSize(*window, larger);
        if (wait == 2)
            pointsDuringRun = controlsOf(*window).Picture2->font().pointSizeF();
        if (wait == 3)
            controlsOf(*window).Command2->click();
    };
    controlsOf(*window).Command1->click();

    VERIFY_NEAR(pointsDuringRun, controlsOf(*window).Picture2->height() * 15.0 / 18, 1e-4,
                "Picture2 points during the run");
    VERIFY_NEAR(controlsOf(*window).Picture2->height(),
                615.0 / 15 * larger.height() / load.height(), 1, "Picture2 height");
    QVERIFY(!controlsOf(*window).Picture2->printedText().isEmpty());
    const QFontMetricsF metrics(controlsOf(*window).Picture2->printingFont());
    QVERIFY(metrics.horizontalAdvance(controlsOf(*window).Picture2->printedText()) <=
            controlsOf(*window).Picture2->width());
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
