// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

/// What has to be settled before the QApplication exists (the program's command line given);
/// configureApplication undoes what only the start needed.
void prepareApplication(int argc, char *argv[]);

/// Name, icon, style and German translations of the program, shared by the program and its tests.
void configureApplication(QApplication &app);
