// SPDX-License-Identifier: GPL-3.0-or-later
#include "timesource.h"

QDateTime SystemTimeSource::currentLocalTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    return now.addMSecs(-now.time().msec());
}

int SystemTimeSource::currentUtcOffsetSeconds()
{
    return QDateTime::currentDateTime().offsetFromUtc();
}

QTimeZone SystemTimeSource::timeZone()
{
    return QTimeZone::systemTimeZone();
}
