// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites.h"

#include "catalogue/cataloguemessages.h"
#include "catalogue/recordfields.h"

#include <QRegularExpression>

namespace {

QString trimBlanksAndTabs(const QString &text)
{
    qsizetype first = 0;
    qsizetype end = text.size();
    auto blank = [](QChar character) {
        return character == QLatin1Char(' ') || character == QLatin1Char('\t');
    };
    while (first < end && blank(text[first]))
        ++first;
    while (end > first && blank(text[end - 1]))
        --end;
    return text.mid(first, end - first);
}

} // namespace

SiteEntry siteFromLine(const QString &line, int lineNumber, const QString &filePath)
{
    const QStringList fields = splitFields(line);
    SiteEntry site;
    site.text = trimSpaces(fields.value(0));
    site.lineNumber = lineNumber;
    if (trimBlanksAndTabs(site.text).isEmpty())
        site.textProblem = siteTextMessage(lineNumber, filePath);
    const QString latitudeText = trimBlanksAndTabs(fields.value(1));
    if (latitudeText.isEmpty())
        return site;
    // Plain decimal notation only: no exponent, no comma, no "nan" or "inf".
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)$"));
    const double value = latitudeText.toDouble();
    if (number.match(latitudeText).hasMatch() && value >= -90.0 && value <= 90.0)
        site.latitudeDegrees = value;
    else
        site.latitudeProblem = latitudeMessage(latitudeText, lineNumber, filePath);
    return site;
}

const SiteEntry *findSite(const QList<SiteEntry> &sites, const QString &siteText)
{
    const QString wanted = trimBlanksAndTabs(siteText);
    for (const SiteEntry &site : sites)
        if (trimBlanksAndTabs(site.text) == wanted)
            return &site;
    return nullptr;
}

std::optional<double> latitudeOfSite(const QList<SiteEntry> &sites, const QString &siteText)
{
    const SiteEntry *site = findSite(sites, siteText);
    return site ? site->latitudeDegrees : std::nullopt;
}
