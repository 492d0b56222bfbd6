// SPDX-License-Identifier: GPL-3.0-or-later
// The clock knows nothing of the command line.
#include "commandline/commandline.h"
