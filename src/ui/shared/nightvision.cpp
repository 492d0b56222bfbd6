// SPDX-License-Identifier: GPL-3.0-or-later
#include "nightvision.h"

#include <QVariant>
#include <QWidget>

namespace {

const char nightWindowMark[] = "zenitorNightWindow";

// Windows that belong to the widget they were opened from rather than standing alone.
bool isOpenedFromItsParent(const QWidget *window)
{
    const Qt::WindowType type = window->windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::Dialog;
}

} // namespace

QPalette NightVision::palette()
{
    QPalette palette;
    const QColor dimRed(64, 0, 0);
    const QColor midRed(96, 0, 0);
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Window, background);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::AlternateBase, background);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::PlaceholderText, midRed);
        palette.setColor(group, QPalette::Button, buttonFace);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::BrightText, text);
        palette.setColor(group, QPalette::Light, QColor(160, 0, 0));
        palette.setColor(group, QPalette::Midlight, QColor(144, 0, 0));
        palette.setColor(group, QPalette::Mid, midRed);
        palette.setColor(group, QPalette::Dark, dimRed);
        palette.setColor(group, QPalette::Shadow, Qt::black);
        palette.setColor(group, QPalette::Highlight, buttonFace);
        palette.setColor(group, QPalette::HighlightedText, Qt::black);
        palette.setColor(group, QPalette::ToolTipBase, background);
        palette.setColor(group, QPalette::ToolTipText, text);
        palette.setColor(group, QPalette::Link, text);
        palette.setColor(group, QPalette::LinkVisited, text);
    }
    // Disabled text stays visible but dimmer, still without green or blue.
    palette.setColor(QPalette::Disabled, QPalette::WindowText, midRed);
    palette.setColor(QPalette::Disabled, QPalette::Text, midRed);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(88, 0, 0));
    return palette;
}

void NightVision::applyToWindow(QWidget *window)
{
    window->setPalette(palette());
    window->setProperty(nightWindowMark, true);
}

void NightVision::removeFromWindow(QWidget *window)
{
    window->setPalette(QPalette());
    window->setProperty(nightWindowMark, false);
}

bool NightVision::belongsToNightWindow(const QWidget *widget)
{
    // A submenu's parent is its menu, a context menu's the text field: follow them back.
    for (const QWidget *window = widget ? widget->window() : nullptr; window;) {
        if (window->property(nightWindowMark).toBool())
            return true;
        if (!isOpenedFromItsParent(window) || !window->parentWidget())
            return false;
        window = window->parentWidget()->window();
    }
    return false;
}

void NightVision::showEdges(QWidget *widget)
{
    QPalette edged = widget->palette();
    // The style draws outlines a shade darker than the window colour; text fields stay black.
    edged.setColor(QPalette::Window, QColor(112, 0, 0));
    widget->setPalette(edged);
}

void NightVision::showCheckField(QWidget *checkBox)
{
    QPalette field = checkBox->palette();
    field.setColor(QPalette::Base, QColor(40, 0, 0));
    checkBox->setPalette(field);
}
