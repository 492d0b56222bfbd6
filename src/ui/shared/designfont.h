// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

/// The font the windows are designed with: Arial, or Liberation Sans, its metric twin, where
/// Arial is missing, so texts fit their design boxes. points <= 0 keeps the default size.
QFont designFont(double points, bool bold);
