// SPDX-License-Identifier: GPL-3.0-or-later
#include "plancommand.h"

#include "astro/sidereal.h"
#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "catalogue/datalocation.h"
#include "clock/observingplan.h"
#include "clock/timesource.h"

#include <QCommandLineParser>

#include <cstdio>

namespace {

const QString HEADER = QStringLiteral("Objekt\tStundenwinkel\tDurchgang\tBis\tHoehe\tAzimut\t"
                                      "Kulmination\tRektaszension\tDeklination\n");

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

QString rowText(const PlanRow &row)
{
    QStringList cells{row.name};
    if (row.hasHourAngle)
        cells << eastWestText(row.hourAngleHours) << planDateTimeText(row.transitLocalTime)
              << durationText(row.secondsToTransit);
    else
        cells << QString() << QString() << QString();
    if (row.position && row.culmination)
        cells << degreesText(row.position->altitudeDegrees)
              << degreesText(row.position->azimuthDegrees)
              << degreesText(row.culmination->altitudeDegrees);
    else
        cells << QString() << QString() << QString();
    cells << row.rightAscensionText << row.declinationText;
    return cells.join(u'\t') + u'\n';
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

CommandLineOutcome runPlanCommand(const PlanRequest &request, const QString &dataFolder,
                                  TimeSource &timeSource)
{
    const CatalogueFiles files(dataFolder);
    CommandLineOutcome outcome;
    outcome.startWindow = false;

    PlanInput input;
    QString siteText;
    const FileRead<QList<SiteEntry>> sites = files.ReadSites();
    const SiteEntry *chosenSite = nullptr;
    if (request.site) {
        siteText = *request.site;
        for (const SiteEntry &site : sites.value)
            if (site.text == siteText) {
                chosenSite = &site;
                break;
            }
        if (!chosenSite && !beginsWithNumber(siteText))
            return refused(QStringLiteral("Standort „") + siteText +
                           QStringLiteral("“ steht nicht in standort.txt und beginnt mit keiner "
                                          "Zahl (Länge in Grad)."));
    } else {
        if (sites.state != FileState::Done)
            return refused(fileProblemMessage(sites.state, sites.path, {}));
        if (sites.value.isEmpty())
            return refused(noEntriesMessage(sites.path));
        chosenSite = &sites.value.constFirst();
        siteText = chosenSite->text;
    }
    input.longitudeDegrees = astro::ParseLeadingNumber(siteText.toStdString());
    if (chosenSite) {
        input.latitudeDegrees = chosenSite->latitudeDegrees;
        if (!chosenSite->latitudeProblem.isEmpty())
            outcome.standardError += chosenSite->latitudeProblem + u'\n';
    }

    const FileRead<QStringList> lists = files.ReadListNames();
    if (lists.state != FileState::Done)
        return refused(fileProblemMessage(lists.state, lists.path, {}));
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

    if (request.time) {
        input.localTime =
            QDateTime::fromString(*request.time, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!input.localTime.isValid())
            return refused(QStringLiteral("Zeit „") + *request.time +
                           QStringLiteral("“ ungültig, erwartet wird JJJJ-MM-TT hh:mm:ss "
                                          "(Ortszeit)."));
    } else {
        input.localTime = timeSource.currentLocalTime();
    }
    const int utcOffset = timeSource.currentUtcOffsetSeconds();
    input.daylightSaving =
        request.summerTime.value_or(summerTimeForUtcOffset(utcOffset).value_or(false));
    if (summerTimeDisagrees(input.daylightSaving, utcOffset))
        outcome.standardError += summerTimeWarning(input.daylightSaving, utcOffset) + u'\n';

    input.records = records.value;
    outcome.standardOutput = HEADER;
    for (const PlanRow &row : computePlan(input))
        outcome.standardOutput += rowText(row);
    return outcome;
}

int printPlan(const PlanRequest &request)
{
    SystemTimeSource timeSource;
    const CommandLineOutcome outcome = runPlanCommand(request, programDataFolder(), timeSource);
    std::fputs(outcome.standardOutput.toUtf8().constData(), stdout);
    std::fputs(outcome.standardError.toUtf8().constData(), stderr);
    return outcome.exitCode;
}
