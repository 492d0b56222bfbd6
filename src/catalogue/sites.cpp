// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites.h"

#include "catalogue/cataloguemessages.h"
#include "catalogue/recordfields.h"

#include <QRegularExpression>

SiteEntry siteFromLine(const QString &line, int lineNumber, const QString &filePath)
{
    const QStringList fields = splitFields(line);
    SiteEntry site;
    site.text = trimSpaces(fields.value(0));
    site.lineNumber = lineNumber;
    const QString latitudeText = trimSpaces(fields.value(1));
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

std::optional<double> latitudeOfSite(const QList<SiteEntry> &sites, const QString &siteText)
{
    for (const SiteEntry &site : sites)
        if (site.text == siteText)
            return site.latitudeDegrees;
    return std::nullopt;
}
