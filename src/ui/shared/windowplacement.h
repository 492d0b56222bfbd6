// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

/// Where a window of outer size frameSize goes beside a window at anchorFrame: centred on it,
/// then moved, and if need be shrunk, so that it lies wholly in available (a screen's free
/// area), its title bar first.
QRect placeWithin(const QRect &anchorFrame, const QSize &frameSize, const QRect &available);

/// Places window on the screen of anchor, wholly inside that screen's free area so that its
/// title bar and close box can be reached. Before the window is shown its frame is taken to be
/// as large as anchor's.
void placeOnScreenOf(QWidget *window, const QWidget *anchor);
