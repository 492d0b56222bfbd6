// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one second of the observing plan window with all 110 Messier objects of the
// delivered lists in one list: its refresh (plan, table model, header, chart), and the refresh
// with the window painted at once. Not a test: run it by hand from the build folder's src/
// (beside the data files), e.g. with QT_QPA_PLATFORM=offscreen.
//
//   zenitor_planwindow_benchmark [refreshes]     (default 2000)

#include "catalogue/cataloguefiles.h"
#include "clock/timesource.h"
#include "ui/plan/planwindow.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

/// A clock that moves one second per reading.
class SteppingTimeSource : public TimeSource
{
public:
    QDateTime now{QDate(2026, 12, 8), QTime(23, 30, 0)};
    QDateTime currentLocalTime() override
    {
        now = now.addSecs(1);
        return now;
    }
    int currentUtcOffsetSeconds() override { return 3600; }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    configureApplication(app);
    const int refreshes = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;

    // The four lists as one, in a folder of its own.
    const CatalogueFiles delivered(QCoreApplication::applicationDirPath());
    QByteArray all;
    for (const QString &list : delivered.ReadListNames().value) {
        QFile file(delivered.ListFilePath(list));
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll();
    }
    QTemporaryDir folder;
    QFile listIndex(folder.filePath(QStringLiteral("liste.txt")));
    QFile messier(folder.filePath(QStringLiteral("Messier.txt")));
    QFile sites(folder.filePath(QStringLiteral("standort.txt")));
    if (!listIndex.open(QIODevice::WriteOnly) || !messier.open(QIODevice::WriteOnly) ||
        !sites.open(QIODevice::WriteOnly))
        return 1;
    listIndex.write("Messier\r\n");
    messier.write(all);
    sites.write("13.41 Berlin;52.52\r\n");
    listIndex.close();
    messier.close();
    sites.close();

    SteppingTimeSource time;
    PlanWindow plan(time, folder.path(), [] {
        return PlanSettings{QStringLiteral("13.41 Berlin"), QStringLiteral("Messier"), false};
    });
    plan.show();
    QCoreApplication::processEvents();
    plan.selectObject(QStringLiteral("M 42"));
    std::printf("objects: %lld\n", static_cast<long long>(plan.rows().size()));

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < refreshes; ++i)
        plan.refresh();
    const double refreshMicroseconds = timer.nsecsElapsed() / 1e3 / refreshes;

    const int painted = std::max(1, refreshes / 10);
    timer.restart();
    for (int i = 0; i < painted; ++i) {
        plan.refresh();
        plan.repaint();
    }
    const double paintedMicroseconds = timer.nsecsElapsed() / 1e3 / painted;

    std::printf("refresh: %.1f us, refresh and paint: %.1f us\n", refreshMicroseconds,
                paintedMicroseconds);
    return 0;
}
