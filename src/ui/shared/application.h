// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

/// Name, icon, style and German translations of the program, shared by the program and its tests.
void configureApplication(QApplication &app);
