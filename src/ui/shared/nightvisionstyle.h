// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

class QStyleOptionSlider;

/// Fusion with push buttons and drop-down arrows drawn as plain 3-D panels from
/// the palette's own Button, Light and Dark colours. Fusion lays translucent white
/// bevel lines over them, which would put pale light into the night-vision window.
/// Popups, tooltips and dialogs opened from a night-vision window get its palette: as windows
/// of their own they would otherwise take the application's light one. In such windows scroll
/// bars are plain panels too and menus get an edge.
class NightVisionStyle : public QProxyStyle
{
    Q_OBJECT
public:
    NightVisionStyle();

    using QProxyStyle::polish;
    void polish(QWidget *widget) override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;
    /// No text cursor of Qt's own in night windows: Qt draws it by inverting what lies below,
    /// white on black. The focus mark draws it red instead.
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    void drawScrollBar(const QStyleOptionSlider *bar, QPainter *painter,
                       const QWidget *widget) const;
};
