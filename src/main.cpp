// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/datalocation.h"
#include "clock/clockpause.h"
#include "clock/timesource.h"
#include "commandline/commandline.h"
#include "commandline/displaycheck.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"
#include "ui/shared/messagepresenter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    if (const std::optional<int> exitCode = answerCommandLine(argc, argv))
        return *exitCode;
    if (const std::optional<int> exitCode = refuseWithoutDisplay(argc, argv))
        return *exitCode;
    prepareApplication(argc, argv);
    QApplication app(argc, argv);
    configureApplication(app);

    SystemTimeSource timeSource;
    EventLoopPause pause;
    MessageBoxPresenter messages;
    const DataFolderChoice dataFolder = programDataFolderWithNotice();
    Form1 window({&timeSource, &pause, &messages, dataFolder.folder});
    window.move(0, 0);
    window.show();
    if (!dataFolder.notice.isEmpty())
        showWhenShown(messages, window, dataFolder.notice);
    return app.exec();
}
