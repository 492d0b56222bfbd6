// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace {
constexpr double smallestPointSize = 1.0;
constexpr double pointSizeStep = 0.25;

bool fits(const QFont &font, const QString &text, const QSizeF &box)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height();
}
} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::Cls()
{
    line.clear();
    update();
}

void PictureBox::Print(const QString &text)
{
    line = text;
    update();
}

QFont PictureBox::printingFont() const
{
    // Readouts of one length are equally wide (digits share one width), so the search runs
    // again only when the box, its font, the resolution or the length of the line changes.
    const qreal dotsPerInch = QFontMetricsF(font()).fontDpi();
    if (lastFit.boxSize != size() || lastFit.boxFont != font() ||
        lastFit.dotsPerInch != dotsPerInch || lastFit.lineLength != line.size())
        lastFit = {size(), font(), dotsPerInch, line.size(), searchFittingFont()};
    return lastFit.font;
}

QFont PictureBox::searchFittingFont() const
{
    QFont fitted = font();
    if (line.isEmpty() || fits(fitted, line, size()))
        return fitted;

    // Start from the proportional guess, then step down until the line fits.
    const QFontMetricsF metrics(fitted);
    const double scale =
        std::min(width() / metrics.horizontalAdvance(line), height() / metrics.height());
    double pointSize = std::floor(fitted.pointSizeF() * scale / pointSizeStep) * pointSizeStep;
    pointSize = std::clamp(pointSize, smallestPointSize, fitted.pointSizeF());
    fitted.setPointSizeF(pointSize);
    while (pointSize > smallestPointSize && !fits(fitted, line, size())) {
        pointSize = std::max(smallestPointSize, pointSize - pointSizeStep);
        fitted.setPointSizeF(pointSize);
    }
    return fitted;
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (line.isEmpty())
        return;
    QPainter painter(this);
    const QFont fitted = printingFont();
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(0, QFontMetricsF(fitted).ascent()), line);
}
