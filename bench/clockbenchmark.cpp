// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the real main window, runs the clock and reports the processor time and
// peak memory the process used while it ran. Not a test: run it by hand.
//
//   zenitor_clock_benchmark [seconds]     (default 30)

#include "clock/clockpause.h"
#include "clock/timesource.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/application.h"
#include "ui/shared/messagepresenter.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

long peakResidentKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
} // namespace

int main(int argc, char *argv[])
{
    prepareApplication(argc, argv);
    QApplication app(argc, argv);
    configureApplication(app);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;

    SystemTimeSource timeSource;
    EventLoopPause pause;
    MessageBoxPresenter messages;
    Form1 window({&timeSource, &pause, &messages, QCoreApplication::applicationDirPath()});
    window.move(0, 0);
    window.show();

    double cpuAtStart = 0;
    QElapsedTimer wallClock;
    QTimer::singleShot(1000, &window, [&] {
        window.findChild<QComboBox *>(QStringLiteral("Combo1"))
            ->setEditText(QStringLiteral("13.4"));
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("5"));
        QTimer::singleShot(seconds * 1000, &window, [&] {
            const double used = cpuSeconds() - cpuAtStart;
            const double elapsed = wallClock.elapsed() / 1000.0;
            std::printf("clock ran %.1f s: %.3f s processor time (%.3f %% of one core), "
                        "peak resident %.1f MB\n",
                        elapsed, used, 100.0 * used / elapsed, peakResidentKilobytes() / 1024.0);
            std::fflush(stdout);
            window.close();
        });
        cpuAtStart = cpuSeconds();
        wallClock.start();
        // As an observer presses Start, with the mouse or the keyboard: the focus goes with it.
        QPushButton *start = window.findChild<QPushButton *>(QStringLiteral("Command1"));
        window.activateWindow();
        start->setFocus(Qt::MouseFocusReason);
        start->click();
    });
    return app.exec();
}
