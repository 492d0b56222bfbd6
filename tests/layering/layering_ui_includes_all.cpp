// SPDX-License-Identifier: GPL-3.0-or-later
// Every folder is visible from the top of the stack.
#include "astro/sidereal.h"
#include "catalogue/cataloguefiles.h"
#include "clock/picturebox.h"
#include "commandline/commandline.h"
#include "ui/mainwindow/form1.h"
