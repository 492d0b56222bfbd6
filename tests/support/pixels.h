// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

/// A rectangle as x,y wxh, for failure messages.
inline QString describe(const QRect &rect)
{
    return QStringLiteral("%1,%2 %3x%4")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

/// The first pixel with green or blue above 48, described; empty when there is none, so the
/// image is red on black as night vision needs.
inline QString firstLightPixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 48 || c.blue() > 48)
                return QStringLiteral("%1 at %2,%3").arg(c.name()).arg(x).arg(y);
        }
    return {};
}

/// True when some pixel of the image has exactly that colour.
inline bool showsColour(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}
