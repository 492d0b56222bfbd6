// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowplacement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

QRect placeWithin(const QRect &anchorFrame, const QSize &frameSize, const QRect &available)
{
    const QSize size = frameSize.boundedTo(available.size());
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(anchorFrame.center());
    // Right and bottom first, so that a window as large as the area ends at its top left.
    if (placed.right() > available.right())
        placed.moveRight(available.right());
    if (placed.bottom() > available.bottom())
        placed.moveBottom(available.bottom());
    if (placed.left() < available.left())
        placed.moveLeft(available.left());
    if (placed.top() < available.top())
        placed.moveTop(available.top());
    return placed;
}

void placeOnScreenOf(QWidget *window, const QWidget *anchor)
{
    if (!window || !anchor)
        return;
    QScreen *screen = anchor->screen();
    if (!screen)
        return;
    // The frame the window manager adds; before the first show only the anchor's is known.
    const QWidget *framed = window->isVisible() ? window : anchor;
    const QMargins frame(framed->geometry().left() - framed->frameGeometry().left(),
                         framed->geometry().top() - framed->frameGeometry().top(),
                         framed->frameGeometry().right() - framed->geometry().right(),
                         framed->frameGeometry().bottom() - framed->geometry().bottom());
    const QSize frameSize = window->size().grownBy(frame);
    const QRect placed =
        placeWithin(anchor->frameGeometry(), frameSize, screen->availableGeometry());
    if (placed.size() != frameSize)
        window->resize(placed.size().shrunkBy(frame));
    window->setScreen(screen);
    window->move(placed.topLeft());
}
