// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one refresh of the observing plan for all 110 Messier objects of the delivered
// lists: the computation alone, and with the four list files read again. Not a test: run it by
// hand from the build folder's src/ (beside the data files).
//
//   zenitor_plan_benchmark [refreshes]     (default 20000)

#include "catalogue/cataloguefiles.h"
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

    std::printf("one refresh, computation only:        %8.1f us (%d refreshes)\n",
                computeMicroseconds, refreshes);
    std::printf("one refresh, four list files re-read: %8.1f us (%d refreshes)\n", readMicroseconds,
                withReads);
    return rows > 0 ? 0 : 1;
}
