// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "astro/sidereal.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

/// "4 h 34 m 21 s": plain numbers, minus sign when negative, no padding.
QString SplitTimeText(const astro::SplitTime &split);

/// The locale's short date, one blank, the time of day with seconds. A two-digit
/// year in the locale's format is widened to four digits so the date is unambiguous. The C
/// locale (no regional format set) writes German dates, as the interface is German.
QString DateTimeText(const QDateTime &dateTime, const QLocale &locale);

/// In UTC, i.e. without zone rules, so that an hour that a summer-time switch
/// skips locally (a Greenwich time of 02:30, say) is shown as it is.
QDateTime toQDateTime(const astro::CivilDateTime &dateTime);
astro::CivilDateTime toCivilDateTime(const QDateTime &dateTime);
