// SPDX-License-Identifier: GPL-3.0-or-later
// The sidereal arithmetic is plain C++.
#include "astro/sidereal.h"
#include <QString>
