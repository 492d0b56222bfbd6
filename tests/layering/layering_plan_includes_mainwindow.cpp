// SPDX-License-Identifier: GPL-3.0-or-later
// A window opens no other window; the main window opens them.
#include "ui/mainwindow/form1.h"
