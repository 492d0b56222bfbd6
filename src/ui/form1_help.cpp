// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/nightchoice.h"

// The help window has no owner, so it can outlive the main window and keeps the program
// running until it is closed too; it is modeless, so a running clock goes on beside it.
void Form1::Command5_Click()
{
    if (helpWindow.isNull()) {
        helpWindow = new Form3(services.dataFolder);
        helpWindow->showInNightColours(AllWindowsNight::isChosen());
    }
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}
