// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QTimeZone>

/// Where the clock reads the present local time; tests pass a fixed or scripted one.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    /// The present local date and time, to the whole second (milliseconds zero).
    virtual QDateTime currentLocalTime() = 0;
    /// The system's present offset of local time from UTC, in seconds (3600 for central
    /// European time, 7200 for its summer time).
    virtual int currentUtcOffsetSeconds() = 0;
    /// The system's time zone, for the offset in force at another time than now. A source that
    /// knows only its present offset stands for a zone that always keeps it.
    virtual QTimeZone timeZone() { return QTimeZone(currentUtcOffsetSeconds()); }
};

/// The computer's own clock.
///
/// Local time is read from the C library's zone without asking it to look at the zone's file
/// again on every reading, as Qt's local-time conversions do (a file system look-up each, many
/// a second while the clock runs); a change of the system's zone is noticed within a minute.
/// The local time it returns carries its offset from UTC (Qt::OffsetFromUTC), not Qt::LocalTime.
class SystemTimeSource : public TimeSource
{
public:
    QDateTime currentLocalTime() override;
    int currentUtcOffsetSeconds() override;
    QTimeZone timeZone() override;

private:
    struct Reading
    {
        QDateTime localTime;
        int utcOffsetSeconds;
    };
    Reading read();

    /// When the zone was last looked at, in milliseconds since the epoch; none yet.
    qint64 zoneReadAt = -1;
};
