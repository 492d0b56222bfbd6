// SPDX-License-Identifier: GPL-3.0-or-later
#include "clockpause.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

namespace {
// Lands the wake-up safely after the second has changed, despite timer jitter.
constexpr int secondChangeMargin = 20;
constexpr int minimumWait = 500;
} // namespace

int EventLoopPause::millisecondsToWait(qint64 wallClockMilliseconds)
{
    const qint64 intoSecond = ((wallClockMilliseconds % 1000) + 1000) % 1000;
    int wait = static_cast<int>(1000 - intoSecond);
    if (wait < minimumWait)
        wait += 1000;
    return wait + secondChangeMargin;
}

bool EventLoopPause::waitForNextSecond()
{
    QEventLoop loop;
    bool elapsed = false;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&elapsed, &loop] {
        elapsed = true;
        loop.quit();
    });
    timer.start(millisecondsToWait(QDateTime::currentMSecsSinceEpoch()));
    activeLoops.append(&loop);
    // Returns at once, without the timer, once the application has been told to quit.
    loop.exec();
    activeLoops.removeOne(&loop);
    return elapsed;
}

void EventLoopPause::interrupt()
{
    for (QEventLoop *loop : std::as_const(activeLoops))
        loop->quit();
}
