// SPDX-License-Identifier: GPL-3.0-or-later
// The command line answers without a window.
#include "ui/shared/application.h"
