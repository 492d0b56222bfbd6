// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows share knows none of them.
#include "ui/help/form3.h"
