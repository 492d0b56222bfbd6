// SPDX-License-Identifier: GPL-3.0-or-later
#include "nightvisionstyle.h"

#include "ui/shared/nightvision.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <utility>

namespace {

void drawPanel(QPainter *painter, const QRect &rect, const QPalette &palette, bool sunken)
{
    painter->save();
    painter->fillRect(rect, palette.button());
    const QColor upper = palette.color(sunken ? QPalette::Dark : QPalette::Light);
    const QColor lower = palette.color(sunken ? QPalette::Light : QPalette::Dark);
    const QRect r = rect.adjusted(0, 0, -1, -1);
    painter->setPen(upper);
    painter->drawLine(r.topLeft(), r.topRight());
    painter->drawLine(r.topLeft(), r.bottomLeft());
    painter->setPen(lower);
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->setPen(palette.color(QPalette::Shadow));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r);
    painter->restore();
}

} // namespace

NightVisionStyle::NightVisionStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void NightVisionStyle::polish(QWidget *widget)
{
    QProxyStyle::polish(widget);
    // Runs for every new popup, so a context menu built afresh on each right-click is covered.
    if (widget->isWindow() && widget->windowType() != Qt::Window &&
        NightVision::belongsToNightWindow(widget))
        widget->setPalette(NightVision::palette());
}

void NightVisionStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                     QPainter *painter, const QWidget *widget) const
{
    if (element == PE_PanelButtonCommand) {
        const bool sunken = option->state & (State_Sunken | State_On);
        drawPanel(painter, option->rect, option->palette, sunken);
        return;
    }
    if (element == PE_PanelMenu && NightVision::belongsToNightWindow(widget)) {
        // Fusion's edge is the window colour darkened, black on black: the menu would float.
        painter->save();
        painter->fillRect(option->rect, option->palette.base());
        painter->setPen(option->palette.color(QPalette::Mid));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void NightVisionStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                          QPainter *painter, const QWidget *widget) const
{
    if (control == CC_ScrollBar && NightVision::belongsToNightWindow(widget)) {
        if (const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option)) {
            drawScrollBar(bar, painter, widget);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    const auto *combo = qstyleoption_cast<const QStyleOptionComboBox *>(option);
    if (control != CC_ComboBox || !combo || !(combo->subControls & SC_ComboBoxArrow))
        return;

    // Repaint the arrow button over Fusion's own.
    const QRect arrowRect = subControlRect(CC_ComboBox, combo, SC_ComboBoxArrow, widget);
    const bool sunken = combo->state & State_Sunken;
    drawPanel(painter, arrowRect, combo->palette, sunken);
    QStyleOption arrow = *option;
    arrow.rect = arrowRect.adjusted(3, 3, -3, -3);
    arrow.palette.setColor(QPalette::ButtonText, combo->palette.color(QPalette::ButtonText));
    QProxyStyle::drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
}

int NightVisionStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                  const QWidget *widget) const
{
    // A line edit asks with its style option only; the option names the widget.
    const QWidget *asking =
        widget ? widget : qobject_cast<const QWidget *>(option ? option->styleObject : nullptr);
    if (metric == PM_TextCursorWidth && NightVision::belongsToNightWindow(asking))
        return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void NightVisionStyle::drawScrollBar(const QStyleOptionSlider *bar, QPainter *painter,
                                     const QWidget *widget) const
{
    // Fusion shades the groove and the handle with translucent white, pink on red.
    painter->fillRect(bar->rect, bar->palette.base());
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const std::pair<SubControl, PrimitiveElement> parts[] = {
        {SC_ScrollBarSlider, PE_CustomBase},
        {SC_ScrollBarSubLine, horizontal ? PE_IndicatorArrowLeft : PE_IndicatorArrowUp},
        {SC_ScrollBarAddLine, horizontal ? PE_IndicatorArrowRight : PE_IndicatorArrowDown}};
    for (const auto &[part, arrow] : parts) {
        const QRect rect = subControlRect(CC_ScrollBar, bar, part, widget);
        if (rect.isEmpty())
            continue;
        const bool sunken = (bar->activeSubControls & part) && (bar->state & State_Sunken);
        drawPanel(painter, rect, bar->palette, sunken);
        if (arrow == PE_CustomBase)
            continue;
        QStyleOption arrowOption = *bar;
        arrowOption.rect = rect.adjusted(3, 3, -3, -3);
        QProxyStyle::drawPrimitive(arrow, &arrowOption, painter, widget);
    }
}
