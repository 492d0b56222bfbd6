// SPDX-License-Identifier: GPL-3.0-or-later
#include "readouttext.h"

#include <optional>

namespace {

// Drops the time-zone field ("t") of a time format; quoted literals stay.
QString withoutTimeZone(const QString &format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        result += c;
    }
    return result.simplified();
}

QString withFourDigitYear(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

} // namespace

QString SplitTimeText(const astro::SplitTime &split)
{
    return QStringLiteral("%1 h %2 m %3 s")
        .arg(QString::number(split.hours), QString::number(split.minutes),
             QString::number(split.seconds));
}

QString DateTimeText(const QDateTime &dateTime, const QLocale &requested)
{
    // The clock asks twice a second, almost always in one locale and on one date: the
    // locale, its formats and the last date's text are kept.
    struct Kept
    {
        QLocale requested;
        QLocale locale;
        QString dateFormat;
        QString timeFormat;
        QDate date;
        QString dateText;
    };
    thread_local std::optional<Kept> kept;
    if (!kept || kept->requested != requested) {
        // A system without a regional format (C, POSIX) gets the dates of the German
        // interface; one that sets a format keeps it.
        const QLocale locale = requested.language() == QLocale::C
                                   ? QLocale(QLocale::German, QLocale::Germany)
                                   : requested;
        kept = Kept{requested,
                    locale,
                    withFourDigitYear(locale.dateFormat(QLocale::ShortFormat)),
                    withoutTimeZone(locale.timeFormat(QLocale::LongFormat)),
                    QDate(),
                    QString()};
    }
    if (kept->date != dateTime.date() || !kept->date.isValid()) {
        kept->date = dateTime.date();
        kept->dateText = kept->locale.toString(kept->date, kept->dateFormat);
    }
    return kept->dateText + u' ' + kept->locale.toString(dateTime.time(), kept->timeFormat);
}

QDateTime toQDateTime(const astro::CivilDateTime &dateTime)
{
    return QDateTime(QDate(dateTime.year, dateTime.month, dateTime.day),
                     QTime(dateTime.hour, dateTime.minute, dateTime.second), Qt::UTC);
}

astro::CivilDateTime toCivilDateTime(const QDateTime &dateTime)
{
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}
