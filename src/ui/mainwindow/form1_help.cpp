// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/form3.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/nightchoice.h"
#include "ui/shared/windowplacement.h"

// The help window has no owner, so it can outlive the main window and keeps the program
// running until it is closed too; it is modeless, so a running clock goes on beside it.
void Form1::Command5_Click()
{
    if (help.isNull()) {
        help = new Form3(services.dataFolder);
        focusHistory.countAsProgramWindow(help);
        help->showInNightColours(AllWindowsNight::isChosen());
        placeOnScreenOf(help, this);
    }
    help->show();
    help->raise();
    help->activateWindow();
}

void Form1::openHelpWindow()
{
    Command5_Click();
}
