#pragma once

class QApplication;

/// Name, icon and style of the program, shared by the program and its tests.
void configureApplication(QApplication &app);
