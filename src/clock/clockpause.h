// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QEventLoop;

/// The wait between two passes of the clock. Window events keep being processed
/// while it waits, so every other handler can run nested inside a running clock.
class ClockPause
{
public:
    virtual ~ClockPause() = default;
    /// Waits until just after the system clock's next change of second, at least
    /// half a second. Returns false when the wait was cut short by interrupt()
    /// or because the program is quitting.
    virtual bool waitForNextSecond() = 0;
    /// Ends every wait in progress at once.
    virtual void interrupt() = 0;
};

/// Waits in a nested event loop woken by a precise timer: no polling, so a
/// running clock costs next to no processor time. The timer runs on the
/// monotonic clock, so a wait also ends across midnight and when the system
/// clock is set back.
class EventLoopPause : public ClockPause
{
public:
    bool waitForNextSecond() override;
    void interrupt() override;

    /// Milliseconds from wallClockMilliseconds (ms since the epoch) to just after
    /// the next change of second that lies at least half a second ahead.
    static int millisecondsToWait(qint64 wallClockMilliseconds);

private:
    QList<QEventLoop *> activeLoops;
};
