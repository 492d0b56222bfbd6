// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one refresh of the observing plan for all 110 Messier objects of the delivered
// lists: the computation alone, with the four list files read again, and with each object's
// rise, set, best time and distance from the Moon; and the cost of the night's events, which
// the plan computes once per night. Not a test: run it by hand from the build folder's src/
// (beside the data files).
//
//   zenitor_plan_benchmark [refreshes]     (default 20000)

#include "catalogue/cataloguefiles.h"
#include "clock/nightplan.h"
#include "clock/observingplan.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int refreshes = argc > 1 ? std::max(1, atoi(argv[1])) : 20000;
    const CatalogueFiles files(QCoreApplication::applicationDirPath());
    const QStringList lists = files.ReadListNames().value;

    PlanInput input;
    input.longitudeDegrees = 13.41;
    input.latitudeDegrees = 52.52;
    input.localTime = QDateTime(QDate(2026, 12, 8), QTime(23, 30, 0));
    for (const QString &list : lists)
        input.records += files.ReadObjectRecords(list).value;
    std::printf("objects: %lld\n", static_cast<long long>(input.records.size()));

    qsizetype rows = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < refreshes; ++i) {
        input.localTime = input.localTime.addSecs(1);
        rows += computePlan(input).size();
    }
    const double computeMicroseconds = timer.nsecsElapsed() / 1e3 / refreshes;

    const int withReads = std::max(1, refreshes / 10);
    timer.restart();
    for (int i = 0; i < withReads; ++i) {
        PlanInput again = input;
        again.records.clear();
        for (const QString &list : lists)
            again.records += files.ReadObjectRecords(list).value;
        rows += computePlan(again).size();
    }
    const double readMicroseconds = timer.nsecsElapsed() / 1e3 / withReads;

    const int nights = std::max(1, refreshes / 1000);
    NightSummary summary;
    timer.restart();
    for (int i = 0; i < nights; ++i) {
        // A night apart each time, so nothing is reused.
        summary = computeNightSummary(input.longitudeDegrees, *input.latitudeDegrees,
                                      input.localTime.addDays(i), input.daylightSaving);
        rows += summary.sunset.localTime ? 1 : 0;
    }
    const double nightMicroseconds = timer.nsecsElapsed() / 1e3 / nights;
    summary = computeNightSummary(input.longitudeDegrees, *input.latitudeDegrees, input.localTime,
                                  input.daylightSaving);

    timer.restart();
    for (int i = 0; i < refreshes; ++i) {
        input.localTime = input.localTime.addSecs(1);
        const QList<PlanRow> plan = computePlan(input);
        rows += computeNightObjects(summary, input, plan).size();
    }
    const double withNightMicroseconds = timer.nsecsElapsed() / 1e3 / refreshes;

    std::printf("one refresh, computation only:        %8.1f us (%d refreshes)\n",
                computeMicroseconds, refreshes);
    std::printf("one refresh, four list files re-read: %8.1f us (%d refreshes)\n", readMicroseconds,
                withReads);
    std::printf("one refresh with rise, set, best time and Moon distance:\n"
                "                                      %8.1f us (%d refreshes)\n",
                withNightMicroseconds, refreshes);
    std::printf("the night's events, once per night:   %8.1f us (%d nights)\n", nightMicroseconds,
                nights);
    return rows > 0 ? 0 : 1;
}
