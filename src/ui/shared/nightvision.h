// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

/// Colours of the main window, chosen to spare the observer's dark adaptation.
namespace NightVision {
inline const QColor background{0, 0, 0};
inline const QColor text{192, 0, 0};
inline const QColor buttonFace{128, 0, 0};
/// The frame around the control with the keyboard focus: brighter than any text, still red.
inline const QColor focusMark{255, 0, 0};
/// The background of a line the editor warns about.
inline const QColor warningLine{72, 0, 0};

/// Dark red on black for every role, including those the design leaves to the
/// platform (drop-down lists, selections, focus frames, scroll bars).
QPalette palette();

/// Puts a window in the night colours and marks it, so NightVisionStyle gives the popups,
/// tooltips and dialogs opened from it the same colours.
void applyToWindow(QWidget *window);

/// Gives a window marked by applyToWindow back the application's colours and removes the mark.
void removeFromWindow(QWidget *window);

/// Whether widget lies in a window marked by applyToWindow, or in a popup, tooltip or dialog
/// opened from one. The editor and the help window are windows of their own and keep their look
/// unless the observer chooses night for every window.
bool belongsToNightWindow(const QWidget *widget);

/// Gives a control with a 3-D look visible edges, which the style would otherwise
/// draw black on black.
void showEdges(QWidget *widget);
/// Gives a check box a field that stands out from the black window.
void showCheckField(QWidget *checkBox);
} // namespace NightVision
