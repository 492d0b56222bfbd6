// SPDX-License-Identifier: GPL-3.0-or-later
#include "widelistcombobox.h"

#include <QAbstractItemView>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

WideListComboBox::WideListComboBox(QWidget *parent) : QComboBox(parent) {}

int WideListComboBox::listWidthForEntries() const
{
    QAbstractItemView *list = view();
    int width = list->sizeHintForColumn(modelColumn()) + 2 * list->frameWidth();
    if (count() > maxVisibleItems())
        width += list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                            list->verticalScrollBar());
    return width;
}

void WideListComboBox::showPopup()
{
    // Qt opens the list at least as wide as the view's minimum and keeps it on the screen, but
    // a minimum wider than the screen would win over that: the frame around the view counts.
    QAbstractItemView *list = view();
    int widest = listWidthForEntries();
    const QScreen *shownOn = screen();
    if (shownOn) {
        const QWidget *frame = list->parentWidget();
        int frameWidth = frame->contentsMargins().left() + frame->contentsMargins().right();
        if (frame->layout())
            frameWidth += frame->layout()->contentsMargins().left() +
                          frame->layout()->contentsMargins().right();
        widest = std::min(widest, shownOn->availableGeometry().width() - frameWidth);
    }
    list->setMinimumWidth(widest);
    QComboBox::showPopup();
}
