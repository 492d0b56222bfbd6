// SPDX-License-Identifier: GPL-3.0-or-later
#include "timesource.h"

#include <ctime>

namespace {
constexpr qint64 zoneLookAgainMilliseconds = 60'000;
} // namespace

SystemTimeSource::Reading SystemTimeSource::read()
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    // tzset() looks at the zone's file; localtime_r() alone keeps what it found.
    if (zoneReadAt < 0 || now < zoneReadAt || now - zoneReadAt >= zoneLookAgainMilliseconds) {
        tzset();
        zoneReadAt = now;
    }
    const std::time_t seconds =
        static_cast<std::time_t>(now >= 0 ? now / 1000 : (now - 999) / 1000);
    std::tm local{};
    if (!localtime_r(&seconds, &local)) {
        const QDateTime qtNow = QDateTime::currentDateTime();
        return {qtNow.addMSecs(-qtNow.time().msec()), qtNow.offsetFromUtc()};
    }
    const int offset = static_cast<int>(local.tm_gmtoff);
    return {QDateTime(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                      QTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59)),
                      Qt::OffsetFromUTC, offset),
            offset};
}

QDateTime SystemTimeSource::currentLocalTime()
{
    return read().localTime;
}

int SystemTimeSource::currentUtcOffsetSeconds()
{
    return read().utcOffsetSeconds;
}

QTimeZone SystemTimeSource::timeZone()
{
    return QTimeZone::systemTimeZone();
}
