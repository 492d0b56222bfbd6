// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/cataloguefiles.h"
#include "ui/mainwindow/form1.h"
