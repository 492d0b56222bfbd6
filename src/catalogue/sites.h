// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

/// One line of the location file with what the plan needs besides the site text.
struct SiteEntry
{
    QString text; ///< the site text, as the site choice shows it
    std::optional<double>
        latitudeDegrees;     ///< field 2, -90 to +90, north positive; none when absent
    int lineNumber = 0;      ///< 1-based, counting every line of the file
    QString latitudeProblem; ///< German message when field 2 is no latitude, else empty
    QString textProblem;     ///< German message when the line has no site text, else empty
};

/// The site of a non-empty location-file line: field 1 trimmed is the site text, field 2 (when
/// present and not blank) the latitude in decimal degrees with a point, blanks and tabs around it
/// ignored. A field 2 that is not such a number, or lies beyond -90..90, leaves the latitude
/// unknown and sets latitudeProblem, which names the file (filePath) and the line; a line
/// without site text (";52") sets textProblem. Fields after the second are ignored.
SiteEntry siteFromLine(const QString &line, int lineNumber, const QString &filePath);

/// The first site whose text equals siteText, blanks and tabs around either ignored; null for a
/// site text that is not in the list (a longitude typed by hand).
const SiteEntry *findSite(const QList<SiteEntry> &sites, const QString &siteText);

/// The latitude of the site findSite finds; none for a site text that is not in the list or a
/// site without a usable latitude.
std::optional<double> latitudeOfSite(const QList<SiteEntry> &sites, const QString &siteText);
