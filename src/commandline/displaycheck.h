// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

/// Reads an environment variable; empty when it is not set.
using EnvironmentReader = std::function<QString(const char *name)>;

/// The German message for a start without any display to open the window on, or nothing when
/// the window can be tried. Only the default platform and an explicit X11 one are judged:
/// without DISPLAY (or WAYLAND_DISPLAY for the default) Qt would abort with an English message.
/// Other platforms chosen by -platform or QT_QPA_PLATFORM (offscreen, vnc, ...) are left to Qt.
std::optional<QString> missingDisplayMessage(const QStringList &arguments,
                                             const EnvironmentReader &environment);

/// Prints missingDisplayMessage to standard error and gives exit code 1, before anything of the
/// window system is touched; nothing when the window can be tried.
std::optional<int> refuseWithoutDisplay(int argc, char *argv[]);
