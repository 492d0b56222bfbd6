// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;
class QCoreApplication;

/// Name, icon, style and German translations of the program, shared by the program and its tests.
void configureApplication(QApplication &app);

/// Loads Qt's own German texts (qtbase_de), so standard menus, buttons and command-line messages
/// are German whatever the user's language; false when they are not installed.
bool installGermanTranslations(QCoreApplication &app);
