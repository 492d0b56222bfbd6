// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/// The observer's choice to draw the editor and the help window in the night colours too, kept
/// across starts in the per-user settings file (~/.config/zenitor/zenitor.conf).
namespace AllWindowsNight {
/// Off unless the observer has switched it on.
bool isChosen();
void choose(bool night);
} // namespace AllWindowsNight
