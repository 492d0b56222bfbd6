// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordfields.h"

QStringList splitFields(const QString &line)
{
    if (line.isEmpty())
        return {};
    return line.split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

QString trimSpaces(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == QLatin1Char(' '))
        ++first;
    while (end > first && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(first, end - first);
}
