// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock/siderealclock.h"
#include "ui/mainwindow/form1.h"
