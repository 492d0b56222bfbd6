// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

#include <cmath>

/// Twips are the design unit of the windows: 1/1440 inch.
inline constexpr int TWIPS_PER_PIXEL = 15; // at 96 dots per inch
inline constexpr int TWIPS_PER_POINT = 20;

/// Design twips to device-independent pixels, rounded to the nearest pixel.
inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TWIPS_PER_PIXEL));
}

/// A design place, twips, in pixels; its left, top, width and height are each rounded on their
/// own, so controls of equal design size stay equal wherever they sit.
inline QRect twipsToPixels(const QRect &twips)
{
    return {twipsToPixels(twips.left()), twipsToPixels(twips.top()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}
