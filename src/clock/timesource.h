// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

/// Where the clock reads the present local time; tests pass a fixed or scripted one.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    /// The present local date and time, to the whole second (milliseconds zero).
    virtual QDateTime currentLocalTime() = 0;
};

/// The computer's own clock.
class SystemTimeSource : public TimeSource
{
public:
    QDateTime currentLocalTime() override;
};
