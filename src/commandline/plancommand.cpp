// SPDX-License-Identifier: GPL-3.0-or-later
#include "plancommand.h"

#include "astro/sidereal.h"
#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "catalogue/datalocation.h"
#include "catalogue/objectrecord.h"
#include "clock/nightplan.h"
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
constexpr int FIRST_YEAR = 1;
constexpr int LAST_YEAR = 9999;
constexpr double WESTMOST_LONGITUDE = -180.0;
constexpr double EASTMOST_LONGITUDE = 360.0;

const QString NONE = QStringLiteral("keiner");

/// One line of the table: the plan's row and the object's night, when the site has a latitude.
struct PlanLine
{
    const PlanRow &row;
    const NightObject *night; ///< null without latitude: the night columns stay empty
};

/// A time of the object's night, "keiner" when there is none.
QString nightTimeText(const PlanLine &line, const std::optional<QDateTime> NightObject::*time)
{
    if (!line.night || !line.row.hasHourAngle || !line.row.declinationDegrees)
        return {};
    const std::optional<QDateTime> &value = line.night->*time;
    return value ? planDateTimeText(*value) : NONE;
}

/// One column of the table: its title and what a row shows in it.
struct PlanColumn
{
    QString title;
    std::function<QString(const PlanLine &)> cell;
};

/// Adapts a column that reads the plan's row alone.
template <typename Cell> std::function<QString(const PlanLine &)> fromRow(Cell cell)
{
    return [cell](const PlanLine &line) { return cell(line.row); };
}

/// The columns in their order; the header and every row are made from this one table. Scripts
/// read the first nine by position: new columns go to the end.
const QList<PlanColumn> &planColumns()
{
    static const QList<PlanColumn> columns{
        {QStringLiteral("Objekt"), fromRow([](const PlanRow &row) { return row.name; })},
        {QStringLiteral("Stundenwinkel"), fromRow([](const PlanRow &row) {
             return row.hasHourAngle ? eastWestText(row.hourAngleHours) : QString();
         })},
        {QStringLiteral("Durchgang"), fromRow([](const PlanRow &row) {
             return row.hasHourAngle ? planDateTimeText(row.transitLocalTime) : QString();
         })},
        {QStringLiteral("Bis"), fromRow([](const PlanRow &row) {
             return row.hasHourAngle ? durationText(row.secondsToTransit) : QString();
         })},
        {QStringLiteral("Hoehe"), fromRow([](const PlanRow &row) {
             return row.position && row.culmination ? degreesText(row.position->altitudeDegrees)
                                                    : QString();
         })},
        {QStringLiteral("Azimut"), fromRow([](const PlanRow &row) {
             return row.position && row.culmination ? degreesText(row.position->azimuthDegrees)
                                                    : QString();
         })},
        {QStringLiteral("Kulmination"), fromRow([](const PlanRow &row) {
             return row.position && row.culmination ? degreesText(row.culmination->altitudeDegrees)
                                                    : QString();
         })},
        {QStringLiteral("Rektaszension"),
         fromRow([](const PlanRow &row) { return row.rightAscensionText; })},
        {QStringLiteral("Deklination"),
         fromRow([](const PlanRow &row) { return row.declinationText; })},
        {QStringLiteral("Aufgang"),
         [](const PlanLine &line) { return nightTimeText(line, &NightObject::rise); }},
        {QStringLiteral("Untergang"),
         [](const PlanLine &line) { return nightTimeText(line, &NightObject::set); }},
        {QStringLiteral("Beste Zeit"),
         [](const PlanLine &line) { return nightTimeText(line, &NightObject::bestTime); }},
        {QStringLiteral("Hoehe dann"),
         [](const PlanLine &line) {
             const QString time = nightTimeText(line, &NightObject::bestTime);
             return time.isEmpty() || time == NONE ? time
                                                   : degreesText(line.night->bestAltitudeDegrees);
         }},
        {QStringLiteral("Mondabstand"),
         [](const PlanLine &line) {
             return line.night && line.night->moonDistanceDegrees
                        ? degreesText(*line.night->moonDistanceDegrees)
                        : QString();
         }},
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

QString rowText(const PlanLine &line)
{
    QStringList cells;
    for (const PlanColumn &column : planColumns())
        cells.append(printableCell(column.cell(line)));
    return cells.join(u'\t') + u'\n';
}

const QString PLAN_COMMAND = QStringLiteral("zenitor --plan");
const QString NIGHT_COMMAND = QStringLiteral("zenitor --nacht");

CommandLineOutcome refused(const QString &command, const QString &message)
{
    CommandLineOutcome outcome;
    outcome.startWindow = false;
    outcome.exitCode = 2;
    outcome.standardError = command + QStringLiteral(": ") + message + u'\n';
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

/// The site a command runs for, as the clock reads it.
struct CommandSite
{
    QString text;                   ///< the site text, or the longitude as typed
    double longitudeDegrees = 0;    ///< east positive, -180 to 360
    std::optional<SiteEntry> entry; ///< the line of the location file; none for a typed longitude
    QStringList notes;              ///< German notes on the location file, for standard error
};

/// The site the request names, or the file's first; a German fault for a site that is neither
/// in the location file nor a longitude, or a longitude beyond -180..360.
std::optional<QString> chooseSite(const CatalogueFiles &files, const PlanRequest &request,
                                  CommandSite &site)
{
    const FileRead<QList<SiteEntry>> sites = files.ReadSites();
    const SiteEntry *chosenSite = nullptr;
    if (request.site) {
        site.text = *request.site;
        chosenSite = findSite(sites.value, site.text);
        if (!chosenSite && !beginsWithNumber(site.text))
            return QStringLiteral("Standort „") + site.text +
                   QStringLiteral("“ steht nicht in standort.txt und beginnt mit keiner Zahl "
                                  "(Länge in Grad).");
        if (!chosenSite && hasExponent(site.text))
            return QStringLiteral("Länge „") + site.text.trimmed() +
                   QStringLiteral("“ bitte ohne Exponent schreiben (Grad mit Punkt, Ost "
                                  "positiv).");
    } else {
        if (sites.state != FileState::Done)
            return fileProblemMessage(sites.state, sites.path, {});
        if (sites.value.isEmpty())
            return noEntriesMessage(sites.path);
        chosenSite = &sites.value.constFirst();
    }
    if (!sites.longLines.isEmpty())
        site.notes.append(longLinesMessage(sites.path, sites.longLines));
    if (chosenSite)
        site.text = chosenSite->text;
    site.longitudeDegrees = astro::ParseLeadingNumber(site.text.toStdString());
    if (!std::isfinite(site.longitudeDegrees) || site.longitudeDegrees < WESTMOST_LONGITUDE ||
        site.longitudeDegrees > EASTMOST_LONGITUDE)
        return QStringLiteral("Länge des Standorts „") + site.text.trimmed() +
               QStringLiteral("“ liegt nicht zwischen -180 und 360 Grad.");
    if (chosenSite) {
        site.entry = *chosenSite;
        if (!chosenSite->textProblem.isEmpty())
            site.notes.append(chosenSite->textProblem);
        if (!chosenSite->latitudeProblem.isEmpty())
            site.notes.append(chosenSite->latitudeProblem);
    }
    return std::nullopt;
}

/// "Standort … hat in Zeile n der standort.txt keine Breite" or "… ist eine eingetippte Länge
/// ohne Breite", for a site without latitude.
QString withoutLatitudeText(const CommandSite &site, const CatalogueFiles &files)
{
    return site.entry ? QStringLiteral("Standort „") + site.text +
                            QStringLiteral("“ hat in Zeile %1 der ").arg(site.entry->lineNumber) +
                            files.siteFileName() + QStringLiteral(" keine Breite")
                      : QStringLiteral("Standort „") + site.text.trimmed() +
                            QStringLiteral("“ ist eine eingetippte Länge ohne Breite");
}

/// A German fault when a time to print lies outside the years 1 to 9999, which the table's
/// "YYYY-MM-DD" cannot write.
std::optional<QString> yearFault(const PlanRequest &request, const QString &what,
                                 const QDateTime &time)
{
    const int year = time.date().year();
    if (year >= FIRST_YEAR && year <= LAST_YEAR)
        return std::nullopt;
    return QStringLiteral("Zeit „") + request.time.value_or(QString()) + QStringLiteral("“ zu ") +
           (year > LAST_YEAR ? QStringLiteral("spät") : QStringLiteral("früh")) +
           QStringLiteral(": ") + what +
           QStringLiteral(" fiele ins Jahr %1, die Tabelle reicht von %2 bis %3.")
               .arg(year)
               .arg(FIRST_YEAR)
               .arg(LAST_YEAR);
}

std::optional<QString> yearFault(const PlanRequest &request, const QString &what,
                                 const std::optional<QDateTime> &time)
{
    return time ? yearFault(request, what, *time) : std::nullopt;
}

} // namespace

void PlanOptions::addTo(QCommandLineParser &parser) const
{
    for (const QCommandLineOption &option : {plan, night, site, list, time, summer, winter})
        parser.addOption(option);
}

std::optional<QString> PlanOptions::read(const QCommandLineParser &parser,
                                         std::optional<PlanRequest> &planRequest,
                                         std::optional<PlanRequest> &nightRequest) const
{
    if (parser.isSet(plan) && parser.isSet(night))
        return QStringLiteral("--plan und --nacht schließen einander aus: erst das eine, dann "
                              "das andere aufrufen.");
    if (!parser.isSet(plan) && !parser.isSet(night)) {
        for (const QCommandLineOption &option : {site, list, time, summer, winter})
            if (parser.isSet(option))
                return QStringLiteral("--") + option.names().constFirst() +
                       (option.names() == list.names()
                            ? QStringLiteral(" gilt nur zusammen mit --plan.")
                            : QStringLiteral(" gilt nur zusammen mit --plan oder --nacht."));
        return std::nullopt;
    }
    if (parser.isSet(night) && parser.isSet(list))
        return QStringLiteral("--list gilt nur zusammen mit --plan; die Nacht braucht keine "
                              "Liste.");
    if (parser.isSet(summer) && parser.isSet(winter))
        return QStringLiteral("--sommerzeit und --winterzeit schließen einander aus.");
    PlanRequest request;
    if (parser.isSet(site))
        request.site = parser.value(site);
    if (parser.isSet(list))
        request.list = parser.value(list);
    if (parser.isSet(time))
        request.time = parser.value(time);
    if (parser.isSet(summer) || parser.isSet(winter))
        request.summerTime = parser.isSet(summer);
    (parser.isSet(plan) ? planRequest : nightRequest) = request;
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

    CommandSite site;
    if (const std::optional<QString> fault = chooseSite(files, request, site))
        return refused(PLAN_COMMAND, *fault);
    QStringList notes = site.notes;
    PlanInput input;
    input.longitudeDegrees = site.longitudeDegrees;
    if (site.entry)
        input.latitudeDegrees = site.entry->latitudeDegrees;

    const FileRead<QStringList> lists = files.ReadListNames();
    if (lists.state != FileState::Done)
        return refused(PLAN_COMMAND, fileProblemMessage(lists.state, lists.path, {}));
    if (!lists.longLines.isEmpty())
        notes.append(longLinesMessage(lists.path, lists.longLines));
    QString listName;
    if (request.list) {
        if (!lists.value.contains(*request.list))
            return refused(PLAN_COMMAND, QStringLiteral("Liste „") + *request.list +
                                             QStringLiteral("“ steht nicht in liste.txt."));
        listName = *request.list;
    } else {
        if (lists.value.isEmpty())
            return refused(PLAN_COMMAND, noEntriesMessage(lists.path));
        listName = lists.value.constFirst();
    }
    const FileRead<QList<QStringList>> records = files.ReadObjectRecords(listName);
    if (records.state != FileState::Done)
        return refused(PLAN_COMMAND, fileProblemMessage(records.state, records.path, listName));
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
        return refused(PLAN_COMMAND, *fault);
    notes = clock.notes + notes;
    input.localTime = clock.localTime;
    input.daylightSaving = clock.daylightSaving;
    input.records = records.value;
    const QList<PlanRow> rows = computePlan(input);
    QList<NightObject> nights;
    if (input.latitudeDegrees)
        nights =
            computeNightObjects(computeNightSummary(input.longitudeDegrees, *input.latitudeDegrees,
                                                    input.localTime, input.daylightSaving),
                                input, rows);

    for (qsizetype i = 0; i < rows.size(); ++i) {
        const PlanRow &row = rows[i];
        if (!row.hasHourAngle)
            continue;
        const QString of = QStringLiteral(" von ") + row.name;
        std::optional<QString> fault =
            yearFault(request, QStringLiteral("der Durchgang") + of, row.transitLocalTime);
        if (!nights.isEmpty() && !fault)
            fault = yearFault(request, QStringLiteral("der Aufgang") + of, nights[i].rise);
        if (!nights.isEmpty() && !fault)
            fault = yearFault(request, QStringLiteral("der Untergang") + of, nights[i].set);
        if (!nights.isEmpty() && !fault)
            fault = yearFault(request, QStringLiteral("die beste Zeit") + of, nights[i].bestTime);
        if (fault)
            return refused(PLAN_COMMAND, *fault);
    }

    for (const QStringList &fields : records.value)
        if (const QString problem = recordProblemText(fields, records.path); !problem.isEmpty())
            notes.append(problem);
    const bool anyWithoutLatitude = std::any_of(rows.begin(), rows.end(), [](const PlanRow &row) {
        return row.hasHourAngle && row.declinationDegrees && !row.position;
    });
    if (anyWithoutLatitude && !(site.entry && !site.entry->latitudeProblem.isEmpty()))
        notes.append(withoutLatitudeText(site, files) +
                     QStringLiteral(": Höhe, Azimut und Kulmination bleiben leer."));
    if (anyWithoutLatitude)
        notes.append(QStringLiteral("Ohne Breite keine Nacht: Aufgang, Untergang, Beste Zeit, "
                                    "Hoehe dann und Mondabstand bleiben leer."));

    outcome.standardOutput = headerText();
    for (qsizetype i = 0; i < rows.size(); ++i)
        outcome.standardOutput += rowText({rows[i], nights.isEmpty() ? nullptr : &nights[i]});
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

CommandLineOutcome runNightCommand(const PlanRequest &request, const QString &dataFolder,
                                   TimeSource &timeSource)
{
    const CatalogueFiles files(dataFolder);
    CommandSite site;
    if (const std::optional<QString> fault = chooseSite(files, request, site))
        return refused(NIGHT_COMMAND, *fault);
    // The site's file note (a broken latitude) says what to fix, the refusal why it matters.
    if (site.entry && !site.entry->latitudeProblem.isEmpty())
        return refused(NIGHT_COMMAND, site.entry->latitudeProblem +
                                          QStringLiteral(" Die Nacht lässt sich ohne Breite "
                                                         "nicht berechnen."));
    if (!site.entry || !site.entry->latitudeDegrees)
        return refused(NIGHT_COMMAND, withoutLatitudeText(site, files) +
                                          QStringLiteral(": die Nacht lässt sich ohne Breite "
                                                         "nicht berechnen."));

    PlanClock clock;
    if (const std::optional<QString> fault = clock.set(request, timeSource))
        return refused(NIGHT_COMMAND, *fault);
    const NightSummary summary = computeNightSummary(
        site.longitudeDegrees, *site.entry->latitudeDegrees, clock.localTime, clock.daylightSaving);

    const QList<std::pair<QString, const NightEvent *>> events{
        {QStringLiteral("Sonnenuntergang"), &summary.sunset},
        {QStringLiteral("Buergerliche Daemmerung Ende"), &summary.civilDusk},
        {QStringLiteral("Nautische Daemmerung Ende"), &summary.nauticalDusk},
        {QStringLiteral("Astronomische Daemmerung Ende"), &summary.astronomicalDusk},
        {QStringLiteral("Astronomische Daemmerung Beginn"), &summary.astronomicalDawn},
        {QStringLiteral("Nautische Daemmerung Beginn"), &summary.nauticalDawn},
        {QStringLiteral("Buergerliche Daemmerung Beginn"), &summary.civilDawn},
        {QStringLiteral("Sonnenaufgang"), &summary.sunrise},
        {QStringLiteral("Mondaufgang"), &summary.moonrise},
        {QStringLiteral("Monduntergang"), &summary.moonset},
    };
    CommandLineOutcome outcome;
    outcome.startWindow = false;
    for (const auto &[name, event] : events) {
        if (const std::optional<QString> fault = yearFault(request, name, event->localTime))
            return refused(NIGHT_COMMAND, *fault);
        outcome.standardOutput +=
            name + u'\t' + (event->localTime ? planDateTimeText(*event->localTime) : NONE) + u'\n';
    }
    outcome.standardOutput += QStringLiteral("Mond beleuchtet\t") +
                              QString::number(summary.moon.illuminatedPercent, 'f', 1) + u'\n';
    for (const QString &note : clock.notes + site.notes)
        outcome.standardError += note + u'\n';
    return outcome;
}

int printNight(const PlanRequest &request)
{
    SystemTimeSource timeSource;
    const CommandLineOutcome outcome = runNightCommand(request, programDataFolder(), timeSource);
    return printOutcome(outcome, stdout, stderr);
}
