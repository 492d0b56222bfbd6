// SPDX-License-Identifier: GPL-3.0-or-later
#include "captionlabel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <cmath>

namespace {

constexpr double SMALLEST_POINTS = 1.0;
/// Fitted sizes are searched to this step, points.
constexpr double POINTS_STEP = 0.05;

/// Whether every pixel the caption inks, underline included, lies inside the box. Line
/// metrics would not do: they reserve room for descenders and accents a caption may lack.
bool fits(const QFont &font, const QString &caption, const QSize &box, Qt::Alignment alignment,
          int dotsPerInch)
{
    const QFontMetricsF metrics(font);
    // Generous: the metrics are at the screen's resolution, which may differ from dotsPerInch.
    const int margin = int(std::ceil(2 * metrics.height())) + 2;
    QImage canvas(box.width() + 2 * margin, box.height() + 3 * margin, QImage::Format_Grayscale8);
    // Points become pixels at the label's resolution, not the image's default one.
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    canvas.setDotsPerMeterX(dotsPerMeter);
    canvas.setDotsPerMeterY(dotsPerMeter);
    canvas.fill(0);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(margin, margin, box.width(), box.height() + 2 * margin),
                         int(alignment) | CAPTION_TEXT_FLAGS | Qt::TextDontClip, caption);
    }
    const QRect inside(margin, margin, box.width(), box.height());
    for (int y = 0; y < canvas.height(); ++y) {
        const uchar *row = canvas.constScanLine(y);
        for (int x = 0; x < canvas.width(); ++x)
            if (row[x] != 0 && !inside.contains(x, y))
                return false;
    }
    return true;
}

} // namespace

QFont fitCaptionFont(const QFont &font, const QString &caption, const QSize &box,
                     Qt::Alignment alignment, int dotsPerInch)
{
    if (caption.isEmpty() || box.isEmpty() || fits(font, caption, box, alignment, dotsPerInch))
        return font;
    // Bisection over the point size: whether a caption fits only changes once as it grows.
    QFont probe = font;
    double fitting = SMALLEST_POINTS;
    double tooLarge = font.pointSizeF();
    while (tooLarge - fitting > POINTS_STEP) {
        const double middle = (fitting + tooLarge) / 2;
        probe.setPointSizeF(middle);
        (fits(probe, caption, box, alignment, dotsPerInch) ? fitting : tooLarge) = middle;
    }
    probe.setPointSizeF(fitting);
    return probe;
}

CaptionLabel::CaptionLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

QFont CaptionLabel::captionFont() const
{
    const int dotsPerInch = logicalDpiY();
    if (lastFit.box != size() || lastFit.font != font() || lastFit.caption != text() ||
        lastFit.dotsPerInch != dotsPerInch)
        lastFit = {size(), font(), text(), dotsPerInch,
                   fitCaptionFont(font(), text(), size(), alignment(), dotsPerInch)};
    return lastFit.fitted;
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    if (text().isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(captionFont());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), int(alignment()) | CAPTION_TEXT_FLAGS, text());
}
