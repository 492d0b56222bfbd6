// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>

/// The program's icon: a yellow eight-pointed star with a red outline and a
/// clock face in its centre, drawn at any size in pixels.
QImage renderStarClockIcon(int size);

/// The icon at the sizes a window frame and a menu ask for.
QIcon starClockIcon();
