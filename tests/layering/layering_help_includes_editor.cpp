// SPDX-License-Identifier: GPL-3.0-or-later
// The help window knows no other window.
#include "ui/editor/form2.h"
