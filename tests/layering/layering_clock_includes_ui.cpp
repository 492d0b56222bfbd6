// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/siderealclock.h"
#include "ui/form1.h"
