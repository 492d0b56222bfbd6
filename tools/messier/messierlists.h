// SPDX-License-Identifier: GPL-3.0-or-later
// The seasonal Messier lists delivered in data/, built from the J2000 catalogue.
//
// The program applies no precession: the hour angle it shows is only as good
// as the list's right ascension. J2000.0 positions are 50 s to 2.5 min of time
// off by 2030, so the lists hold positions for the mean equator and equinox of
// 2030.0, precessed from the catalogue's J2000.0 positions; from 2020 to 2040
// they stay within 50 s of time of the true mean position (30 s for most).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace messier {

/// Julian epoch of the mean equator and equinox of the delivered lists.
inline constexpr double LIST_EPOCH = 2030.0;
/// Number of objects in the Messier catalogue.
inline constexpr int MESSIER_OBJECT_COUNT = 110;
/// First line of the catalogue file, naming its columns.
inline constexpr char CATALOGUE_HEADER[] = "messier;designation;ra_j2000;dec_j2000;info";

/// One object of the J2000 catalogue.
struct CatalogueEntry
{
    int number = 0;                 ///< Messier number, 1 to 110
    QString designation;            ///< NGC, IC or other name, for reference only
    double rightAscensionHours = 0; ///< J2000.0, hours, 0 to below 24
    double declinationDegrees = 0;  ///< J2000.0, degrees, -90 to +90
    QString info;                   ///< German info text; no ";", Windows-1252 letters only
};

/// The four delivered lists, in the order of the list index.
enum class Season
{
    Fruehling,
    Sommer,
    Herbst,
    Winter
};

/// The bytes of text in Windows-1252, or nothing when the text holds a character other than
/// printable ASCII (space to tilde) and the German letters Ä Ö Ü ä ö ü ß; the refused
/// character, if any, is stored in *refused. Nothing else slips silently into a list.
std::optional<QByteArray> ToWindows1252(const QString &text, QChar *refused = nullptr);

/// The list name of a season, which is also its file name without ".txt".
QString SeasonListName(Season season);

/// The season whose evening sky shows an object best, by its J2000.0 right
/// ascension (hours, 0 to below 24): 9 h to below 15 h spring, 15 h to below
/// 21 h summer, 21 h to below 3 h autumn, 3 h to below 9 h winter.
Season SeasonForRightAscension(double rightAscensionHours);

/// Right ascension (hours, 0 to below 24) as "hh:mm:ss", rounded to the nearest
/// second with the carries; a value that rounds up to 24 h gives "00:00:00".
QString FormatRightAscension(double hours);

/// Declination (degrees, -90 to +90) as "+dd:mm:00" or "-dd:mm:00", rounded to
/// the nearest arc minute; the sign belongs to the degrees part, so -0.5 degrees
/// gives "-00:30:00", and a value that rounds to zero is "+00:00:00".
QString FormatDeclination(double degrees);

/// Reads the catalogue text: the header line, then one object per line as
/// number;designation;ra hh:mm:ss.s;dec +dd:mm:ss.s;info. Empty lines are
/// skipped. Returns nothing and sets *error (naming the line) for a malformed
/// line, a Messier number outside 1 to 110 or given twice, or an info text with
/// a character the lists cannot hold.
std::optional<QList<CatalogueEntry>> ParseCatalogue(const QString &text, QString *error);

/// Reads the catalogue file (UTF-8) as ParseCatalogue does and also requires
/// all 110 objects. Returns nothing and sets *error when that fails.
std::optional<QList<CatalogueEntry>> ReadCatalogue(const QString &path, QString *error);

/// One line of an object list, without line end: "M 42;05:36:46;-05:22:00;info",
/// the position precessed from J2000.0 to LIST_EPOCH.
QString ListLine(const CatalogueEntry &entry);

/// The bytes of one season's list file: the objects of that season in
/// Messier order, one ListLine each, Windows-1252, every line ending in CR LF.
/// Returns nothing and sets *error when the season has no object or a text
/// cannot be encoded.
std::optional<QByteArray> SeasonListBytes(const QList<CatalogueEntry> &entries, Season season,
                                          QString *error);

/// Writes Fruehling.txt, Sommer.txt, Herbst.txt and Winter.txt into folder,
/// each replaced whole or left as it was. Returns false and sets *error when a
/// list cannot be built or written.
bool WriteSeasonLists(const QList<CatalogueEntry> &entries, const QString &folder, QString *error);

} // namespace messier
