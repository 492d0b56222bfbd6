// SPDX-License-Identifier: GPL-3.0-or-later
#include "plancommand.h"

#include "astro/sidereal.h"
#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "catalogue/datalocation.h"
#include "catalogue/objectrecord.h"
#include "clock/observingplan.h"
#include "clock/timesource.h"

#include <QCommandLineParser>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr int SECONDS_PER_HOUR = 3600;
constexpr int SECONDS_PER_DAY = 86400;
constexpr int LAST_YEAR = 9999;
constexpr double WESTMOST_LONGITUDE = -180.0;
constexpr double EASTMOST_LONGITUDE = 360.0;

/// One column of the table: its title and what a row shows in it.
struct PlanColumn
{
    QString title;
    std::function<QString(const PlanRow &)> cell;
};

/// The columns in their order; the header and every row are made from this one table.
const QList<PlanColumn> &planColumns()
{
    static const QList<PlanColumn> columns{
        {QStringLiteral("Objekt"), [](const PlanRow &row) { return row.name; }},
        {QStringLiteral("Stundenwinkel"),
         [](const PlanRow &row) {
             return row.hasHourAngle ? eastWestText(row.hourAngleHours) : QString();
         }},
        {QStringLiteral("Durchgang"),
         [](const PlanRow &row) {
             return row.hasHourAngle ? planDateTimeText(row.transitLocalTime) : QString();
         }},
        {QStringLiteral("Bis"),
         [](const PlanRow &row) {
             return row.hasHourAngle ? durationText(row.secondsToTransit) : QString();
         }},
        {QStringLiteral("Hoehe"),
         [](const PlanRow &row) {
             return row.position && row.culmination ? degreesText(row.position->altitudeDegrees)
                                                    : QString();
         }},
        {QStringLiteral("Azimut"),
         [](const PlanRow &row) {
             return row.position && row.culmination ? degreesText(row.position->azimuthDegrees)
                                                    : QString();
         }},
        {QStringLiteral("Kulmination"),
         [](const PlanRow &row) {
             return row.position && row.culmination ? degreesText(row.culmination->altitudeDegrees)
                                                    : QString();
         }},
        {QStringLiteral("Rektaszension"),
         [](const PlanRow &row) { return row.rightAscensionText; }},
        {QStringLiteral("Deklination"), [](const PlanRow &row) { return row.declinationText; }},
    };
    return columns;
}

bool isControl(QChar character)
{
    return character.category() == QChar::Other_Control;
}

// A tab would add a column, a NUL byte would end the text for many readers and an escape
// would command the terminal: a cell shows none of them.
QString printableCell(QString text)
{
    for (QChar &character : text)
        if (isControl(character))
            character = character == u'\t' ? QChar(u' ') : QChar(QChar::ReplacementCharacter);
    return text;
}

QString headerText()
{
    QStringList titles;
    for (const PlanColumn &column : planColumns())
        titles.append(column.title);
    return titles.join(u'\t') + u'\n';
}

QString rowText(const PlanRow &row)
{
    QStringList cells;
    for (const PlanColumn &column : planColumns())
        cells.append(printableCell(column.cell(row)));
    return cells.join(u'\t') + u'\n';
}

CommandLineOutcome refused(const QString &message)
{
    CommandLineOutcome outcome;
    outcome.startWindow = false;
    outcome.exitCode = 2;
    outcome.standardError = QStringLiteral("zenitor --plan: ") + message + u'\n';
    return outcome;
}

// A typed site is any text that begins with a number, as the clock reads it.
bool beginsWithNumber(const QString &text)
{
    QString rest = text.trimmed();
    if (rest.startsWith(u'+') || rest.startsWith(u'-'))
        rest.remove(0, 1);
    if (rest.startsWith(u'.'))
        rest.remove(0, 1);
    return !rest.isEmpty() && rest.front().isDigit();
}

// "1e20" reads as 1 on the clock, which is surely not what was meant.
bool hasExponent(const QString &text)
{
    QString rest = text.trimmed();
    qsizetype position = rest.startsWith(u'+') || rest.startsWith(u'-') ? 1 : 0;
    while (position < rest.size() && (rest[position].isDigit() || rest[position] == u'.'))
        ++position;
    if (position >= rest.size() || (rest[position] != u'e' && rest[position] != u'E'))
        return false;
    ++position;
    if (position < rest.size() && (rest[position] == u'+' || rest[position] == u'-'))
        ++position;
    return position < rest.size() && rest[position].isDigit();
}

QString offsetText(int utcOffsetSeconds)
{
    const int minutes = std::abs(utcOffsetSeconds) / 60;
    return QStringLiteral("UTC%1%2:%3")
        .arg(QChar(utcOffsetSeconds < 0 ? u'-' : u'+'))
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

/// A local time as written, "YYYY-MM-DD hh:mm:ss", held without zone rules so that a time the
/// system's zone skips or repeats is still a time; invalid when it is no such text.
QDateTime wallClockTime(const QString &text)
{
    const qsizetype space = text.indexOf(u' ');
    if (space < 0)
        return {};
    const QDate date = QDate::fromString(text.left(space), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(text.mid(space + 1), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

/// The offsets under which a zone shows a wall-clock time: none when the zone skips it, two when
/// it shows it twice, else one.
QList<int> offsetsShowing(const QTimeZone &zone, const QDateTime &wallClock)
{
    QList<int> candidates;
    for (const int shift : {-SECONDS_PER_DAY, 0, SECONDS_PER_DAY}) {
        const int offset = zone.offsetFromUtc(wallClock.addSecs(shift));
        if (!candidates.contains(offset))
            candidates.append(offset);
    }
    QList<int> offsets;
    for (const int offset : candidates)
        if (zone.offsetFromUtc(wallClock.addSecs(-offset)) == offset)
            offsets.append(offset);
    std::sort(offsets.begin(), offsets.end(), std::greater<>());
    return offsets;
}

bool centralEuropean(int utcOffsetSeconds)
{
    return summerTimeForUtcOffset(utcOffsetSeconds).has_value();
}

/// Names the change of the zone's clocks around a wall-clock time it skips or repeats.
QString changeText(const QTimeZone &zone, const QDateTime &wallClock)
{
    const int before = zone.offsetFromUtc(wallClock.addSecs(-SECONDS_PER_DAY));
    const int after = zone.offsetFromUtc(wallClock.addSecs(SECONDS_PER_DAY));
    // Just after the change at either offset; the change is the last one before that instant.
    const QDateTime change =
        zone.previousTransition(wallClock.addSecs(-std::min(before, after) + 1)).atUtc;
    const QDateTime wallBefore = change.addSecs(before);
    const QDateTime wallAfter = change.addSecs(after);
    return QStringLiteral("am %1 %2 die Uhren von %3 auf %4 (%5 statt %6)")
        .arg(wallBefore.toString(QStringLiteral("yyyy-MM-dd")),
             after > before ? QStringLiteral("springen") : QStringLiteral("gehen"),
             wallBefore.toString(QStringLiteral("HH:mm")),
             wallAfter.toString(QStringLiteral("HH:mm")), offsetText(after), offsetText(before));
}

QString zoneName(const QTimeZone &zone)
{
    return QString::fromUtf8(zone.id());
}

/// The numbers (from 1) of the lines whose object, right ascension or declination hold a
/// control character.
QList<qsizetype> linesWithControlCharacters(const QString &text)
{
    QList<qsizetype> numbers;
    const QStringList lines = CatalogueFiles::splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > MAX_LINE_CHARACTERS)
            continue;
        const QStringList fields = lines[i].split(u';').mid(0, 3);
        if (std::any_of(fields.begin(), fields.end(), [](const QString &field) {
                return std::any_of(field.begin(), field.end(), isControl);
            }))
            numbers.append(i + 1);
    }
    return numbers;
}

bool hasControlCharacters(const QList<QStringList> &records)
{
    for (const QStringList &fields : records)
        for (const QString &field : fields.mid(0, 3))
            if (std::any_of(field.begin(), field.end(), isControl))
                return true;
    return false;
}

/// Why a record leaves columns empty, as the main window says it; empty for a sound record.
QString recordProblemText(const QStringList &fields, const QString &path)
{
    const ObjectRecord record = parseObjectRecord(fields);
    switch (record.problem) {
    case RecordProblem::TooFewFields:
        return shortRecordMessage(record.name, path);
    case RecordProblem::RightAscension:
        return rightAscensionMessage(record.name);
    case RecordProblem::Declination:
        return declinationMessage(record.name);
    case RecordProblem::None:
        break;
    }
    return {};
}

} // namespace

void PlanOptions::addTo(QCommandLineParser &parser) const
{
    for (const QCommandLineOption &option : {plan, site, list, time, summer, winter})
        parser.addOption(option);
}

std::optional<QString> PlanOptions::read(const QCommandLineParser &parser,
                                         std::optional<PlanRequest> &request) const
{
    if (!parser.isSet(plan)) {
        for (const QCommandLineOption &option : {site, list, time, summer, winter})
            if (parser.isSet(option))
                return QStringLiteral("--") + option.names().constFirst() +
                       QStringLiteral(" gilt nur zusammen mit --plan.");
        return std::nullopt;
    }
    if (parser.isSet(summer) && parser.isSet(winter))
        return QStringLiteral("--sommerzeit und --winterzeit schließen einander aus.");
    PlanRequest planRequest;
    if (parser.isSet(site))
        planRequest.site = parser.value(site);
    if (parser.isSet(list))
        planRequest.list = parser.value(list);
    if (parser.isSet(time))
        planRequest.time = parser.value(time);
    if (parser.isSet(summer) || parser.isSet(winter))
        planRequest.summerTime = parser.isSet(summer);
    request = planRequest;
    return std::nullopt;
}

std::optional<QString> PlanClock::set(const PlanRequest &request, TimeSource &timeSource)
{
    notes.clear();
    if (!request.time) {
        // As the window: the system clock now, the box pre-set from the system's offset and a
        // note while the two disagree.
        localTime = timeSource.currentLocalTime();
        const int utcOffset = timeSource.currentUtcOffsetSeconds();
        daylightSaving =
            request.summerTime.value_or(summerTimeForUtcOffset(utcOffset).value_or(false));
        if (summerTimeDisagrees(daylightSaving, utcOffset))
            notes.append(summerTimeWarning(daylightSaving, utcOffset));
        return std::nullopt;
    }

    localTime = wallClockTime(*request.time);
    if (!localTime.isValid())
        return QStringLiteral("Zeit „") + *request.time +
               QStringLiteral("“ ungültig, erwartet wird JJJJ-MM-TT hh:mm:ss (Ortszeit).");
    if (request.summerTime) {
        // The flag declares the offset of the time given; the system's zone has no say.
        daylightSaving = *request.summerTime;
        return std::nullopt;
    }

    const QTimeZone zone = timeSource.timeZone();
    const QList<int> offsets = offsetsShowing(zone, localTime);
    const bool central = centralEuropean(zone.offsetFromUtc(localTime.addSecs(-SECONDS_PER_DAY))) &&
                         centralEuropean(zone.offsetFromUtc(localTime.addSecs(SECONDS_PER_DAY))) &&
                         std::all_of(offsets.begin(), offsets.end(), centralEuropean);
    if (!central) {
        daylightSaving = false;
        notes.append(QStringLiteral("Die Zeitzone des Systems (") + zoneName(zone) +
                     QStringLiteral(") ist keine mitteleuropäische: gerechnet wird ohne "
                                    "Sommerzeit (UTC+01:00); --sommerzeit oder --winterzeit "
                                    "legt fest, wie die Zeit gemeint ist."));
        return std::nullopt;
    }
    if (offsets.isEmpty())
        return QStringLiteral("Zeit „") + *request.time +
               QStringLiteral("“ gibt es in der Zeitzone des Systems (") + zoneName(zone) +
               QStringLiteral(") nicht: ") + changeText(zone, localTime) +
               QStringLiteral(". --sommerzeit oder --winterzeit legt fest, wie die Zeit gemeint "
                              "ist.");
    if (offsets.size() > 1)
        return QStringLiteral("Zeit „") + *request.time +
               QStringLiteral("“ gibt es in der Zeitzone des Systems (") + zoneName(zone) +
               QStringLiteral(") zweimal: ") + changeText(zone, localTime) +
               QStringLiteral(". --sommerzeit wählt die erste, --winterzeit die zweite.");
    daylightSaving = *summerTimeForUtcOffset(offsets.constFirst());
    return std::nullopt;
}

CommandLineOutcome runPlanCommand(const PlanRequest &request, const QString &dataFolder,
                                  TimeSource &timeSource)
{
    const CatalogueFiles files(dataFolder);
    CommandLineOutcome outcome;
    outcome.startWindow = false;
    QStringList notes;

    PlanInput input;
    QString siteText;
    const FileRead<QList<SiteEntry>> sites = files.ReadSites();
    const SiteEntry *chosenSite = nullptr;
    if (request.site) {
        siteText = *request.site;
        chosenSite = findSite(sites.value, siteText);
        if (!chosenSite && !beginsWithNumber(siteText))
            return refused(QStringLiteral("Standort „") + siteText +
                           QStringLiteral("“ steht nicht in standort.txt und beginnt mit keiner "
                                          "Zahl (Länge in Grad)."));
        if (!chosenSite && hasExponent(siteText))
            return refused(QStringLiteral("Länge „") + siteText.trimmed() +
                           QStringLiteral("“ bitte ohne Exponent schreiben (Grad mit Punkt, "
                                          "Ost positiv)."));
    } else {
        if (sites.state != FileState::Done)
            return refused(fileProblemMessage(sites.state, sites.path, {}));
        if (sites.value.isEmpty())
            return refused(noEntriesMessage(sites.path));
        chosenSite = &sites.value.constFirst();
    }
    if (!sites.longLines.isEmpty())
        notes.append(longLinesMessage(sites.path, sites.longLines));
    if (chosenSite)
        siteText = chosenSite->text;
    input.longitudeDegrees = astro::ParseLeadingNumber(siteText.toStdString());
    if (!std::isfinite(input.longitudeDegrees) || input.longitudeDegrees < WESTMOST_LONGITUDE ||
        input.longitudeDegrees > EASTMOST_LONGITUDE)
        return refused(QStringLiteral("Länge des Standorts „") + siteText.trimmed() +
                       QStringLiteral("“ liegt nicht zwischen -180 und 360 Grad."));
    if (chosenSite) {
        input.latitudeDegrees = chosenSite->latitudeDegrees;
        if (!chosenSite->textProblem.isEmpty())
            notes.append(chosenSite->textProblem);
        if (!chosenSite->latitudeProblem.isEmpty())
            notes.append(chosenSite->latitudeProblem);
    }

    const FileRead<QStringList> lists = files.ReadListNames();
    if (lists.state != FileState::Done)
        return refused(fileProblemMessage(lists.state, lists.path, {}));
    if (!lists.longLines.isEmpty())
        notes.append(longLinesMessage(lists.path, lists.longLines));
    QString listName;
    if (request.list) {
        if (!lists.value.contains(*request.list))
            return refused(QStringLiteral("Liste „") + *request.list +
                           QStringLiteral("“ steht nicht in liste.txt."));
        listName = *request.list;
    } else {
        if (lists.value.isEmpty())
            return refused(noEntriesMessage(lists.path));
        listName = lists.value.constFirst();
    }
    const FileRead<QList<QStringList>> records = files.ReadObjectRecords(listName);
    if (records.state != FileState::Done)
        return refused(fileProblemMessage(records.state, records.path, listName));
    if (!records.longLines.isEmpty())
        notes.append(longLinesMessage(records.path, records.longLines));
    if (hasControlCharacters(records.value)) {
        const QList<qsizetype> lines =
            linesWithControlCharacters(files.ReadListText(listName).value);
        if (!lines.isEmpty())
            notes.append(controlCharactersMessage(records.path, lines));
    }

    PlanClock clock;
    if (const std::optional<QString> fault = clock.set(request, timeSource))
        return refused(*fault);
    notes = clock.notes + notes;
    input.localTime = clock.localTime;
    input.daylightSaving = clock.daylightSaving;
    input.records = records.value;
    const QList<PlanRow> rows = computePlan(input);

    for (const PlanRow &row : rows)
        if (row.hasHourAngle && row.transitLocalTime.date().year() > LAST_YEAR)
            return refused(QStringLiteral("Zeit „") + request.time.value_or(QString()) +
                           QStringLiteral("“ zu spät: der Durchgang von ") + row.name +
                           QStringLiteral(" fiele ins Jahr %1, die Tabelle reicht bis %2.")
                               .arg(row.transitLocalTime.date().year())
                               .arg(LAST_YEAR));

    for (const QStringList &fields : records.value)
        if (const QString problem = recordProblemText(fields, records.path); !problem.isEmpty())
            notes.append(problem);
    const bool anyWithoutLatitude = std::any_of(rows.begin(), rows.end(), [](const PlanRow &row) {
        return row.hasHourAngle && row.declinationDegrees && !row.position;
    });
    if (anyWithoutLatitude && !(chosenSite && !chosenSite->latitudeProblem.isEmpty()))
        notes.append(
            chosenSite ? QStringLiteral("Standort „") + siteText +
                             QStringLiteral("“ hat in Zeile %1 der ").arg(chosenSite->lineNumber) +
                             files.siteFileName() +
                             QStringLiteral(" keine Breite: Höhe, Azimut und "
                                            "Kulmination bleiben leer.")
                       : QStringLiteral("Standort „") + siteText.trimmed() +
                             QStringLiteral("“ ist eine eingetippte Länge ohne Breite: "
                                            "Höhe, Azimut und Kulmination bleiben "
                                            "leer."));

    outcome.standardOutput = headerText();
    for (const PlanRow &row : rows)
        outcome.standardOutput += rowText(row);
    for (const QString &note : std::as_const(notes))
        outcome.standardError += note + u'\n';
    return outcome;
}

int printPlan(const PlanRequest &request)
{
    SystemTimeSource timeSource;
    const CommandLineOutcome outcome = runPlanCommand(request, programDataFolder(), timeSource);
    return printOutcome(outcome, stdout, stderr);
}
