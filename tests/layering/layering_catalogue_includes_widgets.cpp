// SPDX-License-Identifier: GPL-3.0-or-later
// The data files need Qt Core alone.
#include "catalogue/cataloguefiles.h"
#include <QWidget>
