// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

/// The observer's choice to draw the editor and the help window in the night colours too, kept
/// across starts in the per-user settings file (~/.config/zenitor/zenitor.conf). When that file
/// cannot keep it (a folder in its place, a folder that cannot be written) or is too large to
/// read, the choice still holds until the program ends.
namespace AllWindowsNight {
/// Settings files larger than this are not read: the choice takes a few bytes.
constexpr qint64 MAX_SETTINGS_BYTES = 64 * 1024;

/// Off unless the observer has switched it on.
bool isChosen();
/// Applies the choice and keeps it in the settings file; false when the file cannot keep it.
bool choose(bool night);
/// Why the settings file is not read or cannot keep the choice, in German; each reason is
/// given once, empty afterwards and while the file serves.
QString takeNotice();
} // namespace AllWindowsNight
