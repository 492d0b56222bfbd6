// SPDX-License-Identifier: GPL-3.0-or-later
// Captions of the main window read whole at every window size: the label's font follows the
// height rule, but the caption is drawn no larger than fits its box.
#include "support/fakeservices.h"
#include "support/mainwindow.h"
#include "support/pixels.h"
#include "ui/mainwindow/form1.h"
#include "ui/mainwindow/form1design.h"
#include "ui/shared/application.h"
#include "ui/shared/captionlabel.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

/// The design client area, pixels.
const QSize DESIGN_CLIENT(592, 423);
/// Room around the box on the canvas, so ink that leaves the box is seen.
constexpr int MARGIN = 100;

/// The pixels, relative to the box, that caption covers when drawn like the label's caption
/// but without the box's clipping.
QRect unclippedInk(const QFont &font, const QLabel &label)
{
    const QString caption = label.text();
    const QSize box = label.size();
    const Qt::Alignment alignment = label.alignment();
    QImage canvas(box + QSize(2 * MARGIN, 4 * MARGIN), QImage::Format_RGB32);
    // At the label's resolution, which on X11 follows the screen's size, not always 96 dpi.
    canvas.setDotsPerMeterX(int(std::lround(label.logicalDpiX() / 0.0254)));
    canvas.setDotsPerMeterY(int(std::lround(label.logicalDpiY() / 0.0254)));
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(MARGIN, MARGIN, box.width(), box.height() + 2 * MARGIN),
                         int(alignment) | CAPTION_TEXT_FLAGS | Qt::TextDontClip, caption);
    }
    QRect ink;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != qRgb(0, 0, 0))
                ink |= QRect(x - MARGIN, y - MARGIN, 1, 1);
    return ink;
}

/// The pixels of a grabbed label that differ from its background.
QRect shownInk(QLabel *label)
{
    const QImage image = label->grab().toImage();
    const QRgb background = label->palette().color(label->backgroundRole()).rgb();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

class TestCaptions : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void captionsReadWhole_data();
    void captionsReadWhole();
    void fittingCaptionsKeepTheRuleFont_data();
    void fittingCaptionsKeepTheRuleFont();

private:
    /// A main window laid out at client size scale times the design size.
    std::unique_ptr<TestMainWindow> windowAt(double scale);
};

void TestCaptions::initTestCase()
{
    configureApplication(*qApp);
    // The windows read from empty folders of their own.
    QVERIFY(QTemporaryDir().isValid());
}

std::unique_ptr<TestMainWindow> TestCaptions::windowAt(double scale)
{
    auto fixture = std::make_unique<TestMainWindow>();
    Form1 *window = fixture->window.get();
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning("the main window was not shown");
    window->resize((QSizeF(DESIGN_CLIENT) * scale).toSize());
    return fixture;
}

void TestCaptions::captionsReadWhole_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("name");
    const std::pair<const char *, double> sizes[] = {
        {"design size", 1.0}, {"small window", 0.6}, {"large window", 1.45}};
    for (const auto &[sizeName, scale] : sizes)
        for (const ControlDesign &design : FORM1_CONTROLS)
            if (design.kind == ControlKind::Label && !design.caption.empty()) {
                const QString name =
                    QString::fromLatin1(design.name.data(), qsizetype(design.name.size()));
                QTest::addRow("%s, %s", sizeName, qPrintable(name)) << scale << name;
            }
}

void TestCaptions::captionsReadWhole()
{
    QFETCH(double, scale);
    QFETCH(QString, name);
    const std::unique_ptr<TestMainWindow> fixture = windowAt(scale);
    auto *label = qobject_cast<CaptionLabel *>(controlNamed(*fixture->window, name));
    QVERIFY(label);
    const QFont shownFont = label->captionFont();
    const QString context = QStringLiteral("%1 \"%2\" in %3x%4 at %5 pt (rule %6 pt)")
                                .arg(name, label->text())
                                .arg(label->width())
                                .arg(label->height())
                                .arg(shownFont.pointSizeF())
                                .arg(label->font().pointSizeF());

    // Every line and letter of the whole caption lies inside the box.
    const QRect whole = unclippedInk(shownFont, *label);
    QVERIFY2(!whole.isEmpty(), qPrintable(context));
    QVERIFY2(label->rect().contains(whole),
             qPrintable(context + QStringLiteral(": ink %1 leaves the box").arg(describe(whole))));
    // And what the label shows is that whole caption, not a larger one cut off by its box.
    const QRect shown = shownInk(label);
    QVERIFY2(shown == whole, qPrintable(context + QStringLiteral(": shown %1, whole caption %2")
                                                      .arg(describe(shown), describe(whole))));

    // The shown size is the largest that fits: the rule's size, or a little more would not fit.
    QVERIFY2(shownFont.pointSizeF() <= label->font().pointSizeF(), qPrintable(context));
    if (shownFont.pointSizeF() < label->font().pointSizeF()) {
        QFont larger = shownFont;
        larger.setPointSizeF(std::min(shownFont.pointSizeF() + 0.25, label->font().pointSizeF()));
        const QRect largerInk = unclippedInk(larger, *label);
        QVERIFY2(!label->rect().contains(largerInk),
                 qPrintable(context + QStringLiteral(": %1 pt would fit as well (ink %2)")
                                          .arg(larger.pointSizeF())
                                          .arg(describe(largerInk))));
    }
}

void TestCaptions::fittingCaptionsKeepTheRuleFont_data()
{
    QTest::addColumn<QString>("name");
    // The units, without underline or descender, fit at the rule's size; the underlined
    // captions need a little less to keep their underline inside the box.
    QTest::newRow("Label9 \"h\"") << QStringLiteral("Label9");
    QTest::newRow("Label10 \"m\"") << QStringLiteral("Label10");
    QTest::newRow("Label11 \"s\"") << QStringLiteral("Label11");
}

void TestCaptions::fittingCaptionsKeepTheRuleFont()
{
    QFETCH(QString, name);
    const std::unique_ptr<TestMainWindow> fixture = windowAt(1.0);
    auto *label = qobject_cast<CaptionLabel *>(controlNamed(*fixture->window, name));
    QVERIFY(label);
    QCOMPARE(label->captionFont(), label->font());
    const double rule = label->height() * 15.0 / 18;
    QVERIFY2(std::abs(label->font().pointSizeF() - rule) < 1e-4,
             qPrintable(QStringLiteral("rule font: want %1 pt, got %2 pt")
                            .arg(rule)
                            .arg(label->font().pointSizeF())));
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
