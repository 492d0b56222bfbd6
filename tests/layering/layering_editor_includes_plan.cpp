// SPDX-License-Identifier: GPL-3.0-or-later
// The editor knows no other window.
#include "ui/plan/planwindow.h"
