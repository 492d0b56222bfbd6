// SPDX-License-Identifier: GPL-3.0-or-later
#include "messierlists.h"

#include "precession.h"

#include "astro/sidereal.h"
#include "catalogue/textencoding.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

namespace messier {

namespace {

constexpr long long SECONDS_PER_DAY = 24 * 3600;

// The lists hold printable ASCII and the German letters only: what every editor and every
// font shows alike.
bool isListCharacter(QChar character)
{
    const char16_t code = character.unicode();
    return (code >= 0x20 && code <= 0x7E) || QStringView(u"ÄÖÜäöüß").contains(character);
}

constexpr std::array<Season, 4> ALL_SEASONS = {Season::Fruehling, Season::Sommer, Season::Herbst,
                                               Season::Winter};

QString lineError(int lineNumber, const QString &message)
{
    return QStringLiteral("line %1: %2").arg(lineNumber).arg(message);
}

// "hh:mm:ss.s" to hours; nothing when a part is out of range.
std::optional<double> parseRightAscension(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([0-9]{2}):([0-9]{2}):([0-9]{2}(?:\.[0-9]+)?)$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    const double seconds = match.captured(3).toDouble();
    if (hours > 23 || minutes > 59 || seconds >= 60.0)
        return std::nullopt;
    return astro::SexagesimalSum(hours, minutes, seconds);
}

// "+dd:mm:ss.s" to degrees; the sign is required so that -00 degrees is never lost.
std::optional<double> parseDeclination(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^([+-])([0-9]{2}):([0-9]{2}):([0-9]{2}(?:\.[0-9]+)?)$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int degrees = match.captured(2).toInt();
    const int minutes = match.captured(3).toInt();
    const double seconds = match.captured(4).toDouble();
    if (minutes > 59 || seconds >= 60.0)
        return std::nullopt;
    const double absoluteDegrees = astro::SexagesimalSum(degrees, minutes, seconds);
    if (absoluteDegrees > 90.0)
        return std::nullopt;
    return match.captured(1) == QLatin1String("-") ? -absoluteDegrees : absoluteDegrees;
}

std::optional<CatalogueEntry> parseEntry(const QString &line, int lineNumber, QString *error)
{
    const QStringList fields = line.split(QLatin1Char(';'));
    if (fields.size() != 5) {
        *error = lineError(lineNumber, QStringLiteral("expected 5 fields separated by \";\", "
                                                      "found %1")
                                           .arg(fields.size()));
        return std::nullopt;
    }

    CatalogueEntry entry;
    bool isNumber = false;
    entry.number = fields[0].toInt(&isNumber);
    if (!isNumber || entry.number < 1 || entry.number > MESSIER_OBJECT_COUNT) {
        *error = lineError(lineNumber,
                           QStringLiteral("Messier number \"%1\" is not 1 to 110").arg(fields[0]));
        return std::nullopt;
    }
    entry.designation = fields[1];

    const std::optional<double> rightAscension = parseRightAscension(fields[2]);
    if (!rightAscension) {
        *error = lineError(
            lineNumber,
            QStringLiteral("right ascension \"%1\" is not hh:mm:ss below 24 h").arg(fields[2]));
        return std::nullopt;
    }
    entry.rightAscensionHours = *rightAscension;

    const std::optional<double> declination = parseDeclination(fields[3]);
    if (!declination) {
        *error = lineError(
            lineNumber,
            QStringLiteral("declination \"%1\" is not +dd:mm:ss within 90 degrees").arg(fields[3]));
        return std::nullopt;
    }
    entry.declinationDegrees = *declination;

    entry.info = fields[4];
    if (entry.info.isEmpty()) {
        *error = lineError(lineNumber, QStringLiteral("info text is empty"));
        return std::nullopt;
    }
    QChar refused;
    if (!ToWindows1252(entry.info, &refused)) {
        *error = lineError(lineNumber,
                           QStringLiteral("info text holds \"%1\" (U+%2), which the lists cannot "
                                          "hold")
                               .arg(refused)
                               .arg(refused.unicode(), 4, 16, QLatin1Char('0')));
        return std::nullopt;
    }
    return entry;
}

} // namespace

std::optional<QByteArray> ToWindows1252(const QString &text, QChar *refused)
{
    for (const QChar character : text) {
        if (!isListCharacter(character)) {
            if (refused)
                *refused = character;
            return std::nullopt;
        }
    }
    return encodeWindows1252(text);
}

QString SeasonListName(Season season)
{
    switch (season) {
    case Season::Fruehling:
        return QStringLiteral("Fruehling");
    case Season::Sommer:
        return QStringLiteral("Sommer");
    case Season::Herbst:
        return QStringLiteral("Herbst");
    case Season::Winter:
        return QStringLiteral("Winter");
    }
    return {};
}

Season SeasonForRightAscension(double rightAscensionHours)
{
    if (rightAscensionHours >= 3.0 && rightAscensionHours < 9.0)
        return Season::Winter;
    if (rightAscensionHours >= 9.0 && rightAscensionHours < 15.0)
        return Season::Fruehling;
    if (rightAscensionHours >= 15.0 && rightAscensionHours < 21.0)
        return Season::Sommer;
    return Season::Herbst;
}

QString FormatRightAscension(double hours)
{
    long long seconds = std::llround(hours * 3600.0) % SECONDS_PER_DAY;
    if (seconds < 0)
        seconds += SECONDS_PER_DAY;
    return QString::asprintf("%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60,
                             seconds % 60);
}

QString FormatDeclination(double degrees)
{
    const long long arcMinutes = std::llround(std::fabs(degrees) * 60.0);
    const char sign = degrees < 0.0 && arcMinutes > 0 ? '-' : '+';
    return QString::asprintf("%c%02lld:%02lld:00", sign, arcMinutes / 60, arcMinutes % 60);
}

std::optional<QList<CatalogueEntry>> ParseCatalogue(const QString &text, QString *error)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);

    if (lines.isEmpty() || lines.first() != QLatin1String(CATALOGUE_HEADER)) {
        *error = lineError(
            1, QStringLiteral("expected the header \"%1\"").arg(QLatin1String(CATALOGUE_HEADER)));
        return std::nullopt;
    }

    QList<CatalogueEntry> entries;
    QSet<int> numbers;
    for (int index = 1; index < lines.size(); ++index) {
        if (lines[index].isEmpty())
            continue;
        const int lineNumber = index + 1;
        std::optional<CatalogueEntry> entry = parseEntry(lines[index], lineNumber, error);
        if (!entry)
            return std::nullopt;
        if (numbers.contains(entry->number)) {
            *error =
                lineError(lineNumber, QStringLiteral("M %1 is listed twice").arg(entry->number));
            return std::nullopt;
        }
        numbers.insert(entry->number);
        entries.append(*entry);
    }
    return entries;
}

std::optional<QList<CatalogueEntry>> ReadCatalogue(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    std::optional<QList<CatalogueEntry>> entries =
        ParseCatalogue(QString::fromUtf8(file.readAll()), error);
    if (!entries) {
        *error = QStringLiteral("%1: %2").arg(path, *error);
        return std::nullopt;
    }
    // Numbers are unique and within 1 to 110, so the count tells whether any is missing.
    if (entries->size() != MESSIER_OBJECT_COUNT) {
        *error = QStringLiteral("%1: holds %2 of the %3 Messier objects")
                     .arg(path)
                     .arg(entries->size())
                     .arg(MESSIER_OBJECT_COUNT);
        return std::nullopt;
    }
    return entries;
}

QString ListLine(const CatalogueEntry &entry)
{
    const precession::EquatorialPosition j2000{
        entry.rightAscensionHours * precession::RADIANS_PER_HOUR,
        entry.declinationDegrees * precession::RADIANS_PER_DEGREE};
    const precession::EquatorialPosition ofDate = precession::PrecessPosition(
        j2000, precession::J2000_JD, precession::JulianEpochToJulianDate(LIST_EPOCH));
    const QChar separator = QLatin1Char(';');
    return QStringLiteral("M ") + QString::number(entry.number) + separator +
           FormatRightAscension(ofDate.rightAscension / precession::RADIANS_PER_HOUR) + separator +
           FormatDeclination(ofDate.declination / precession::RADIANS_PER_DEGREE) + separator +
           entry.info;
}

std::optional<QByteArray> SeasonListBytes(const QList<CatalogueEntry> &entries, Season season,
                                          QString *error)
{
    QList<CatalogueEntry> members;
    for (const CatalogueEntry &entry : entries)
        if (SeasonForRightAscension(entry.rightAscensionHours) == season)
            members.append(entry);
    // The program selects the first record as soon as a list is loaded.
    if (members.isEmpty()) {
        *error = QStringLiteral("%1: no object falls in this season").arg(SeasonListName(season));
        return std::nullopt;
    }
    std::sort(members.begin(), members.end(),
              [](const CatalogueEntry &a, const CatalogueEntry &b) { return a.number < b.number; });

    QByteArray bytes;
    for (const CatalogueEntry &entry : members) {
        const QString line = ListLine(entry);
        QChar refused;
        const std::optional<QByteArray> encoded = ToWindows1252(line, &refused);
        if (!encoded) {
            *error = QStringLiteral("M %1: \"%2\" cannot be written in Windows-1252")
                         .arg(entry.number)
                         .arg(refused);
            return std::nullopt;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    return bytes;
}

bool WriteSeasonLists(const QList<CatalogueEntry> &entries, const QString &folder, QString *error)
{
    // Build all four first so that a bad entry leaves every file untouched.
    std::array<QByteArray, ALL_SEASONS.size()> contents;
    for (std::size_t index = 0; index < ALL_SEASONS.size(); ++index) {
        std::optional<QByteArray> bytes = SeasonListBytes(entries, ALL_SEASONS[index], error);
        if (!bytes)
            return false;
        contents[index] = *bytes;
    }

    for (std::size_t index = 0; index < ALL_SEASONS.size(); ++index) {
        const QString path =
            folder + QLatin1Char('/') + SeasonListName(ALL_SEASONS[index]) + QStringLiteral(".txt");
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(contents[index]) != contents[index].size() || !file.commit()) {
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
            return false;
        }
    }
    return true;
}

} // namespace messier
