// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

/// Loads Qt's own German texts (qtbase_de), so standard menus, buttons and command-line messages
/// are German whatever the user's language; false when they are not installed.
bool installGermanTranslations(QCoreApplication &app);
