// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one second of the observing plan window with all 110 Messier objects of the
// delivered lists in one list: its refresh (plan, table model, header, chart), and the refresh
// with the window painted at once. Not a test: run it by hand from the build folder's src/
// (beside the data files), e.g. with QT_QPA_PLATFORM=offscreen.
//
//   zenitor_planwindow_benchmark [refreshes]     (default 2000)
//   zenitor_planwindow_benchmark --open SECONDS  the shown window on the computer's clock for that
//                                                long; prints the whole program's processor time
//                                                (run it under Xvfb: painting and X count too)
//   zenitor_planwindow_benchmark --still SECONDS  the same with the clock standing still: the
//                                                refreshes without anything to redraw
//   zenitor_planwindow_benchmark --steps SECONDS [START]  that many refreshes of the shown
//                                                window, each a second later than the one
//                                                before, painted at once: as many seconds
//                                                of the open window without waiting for
//                                                them (for callgrind: the instructions
//                                                repeat). START: local time "hh:mm" on
//                                                2026-12-08, default 23:30
//   zenitor_planwindow_benchmark --grab FILE [START]  saves the settled window at START (as
//                                                above, the clock standing still) as a picture:
//                                                two builds' pictures compare pixel by pixel

#include "catalogue/cataloguefiles.h"
#include "clock/timesource.h"
#include "ui/plan/planwindow.h"
#include "ui/shared/application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

/// A clock that moves one second per reading, or stands still.
class SteppingTimeSource : public TimeSource
{
public:
    QDateTime now{QDate(2026, 12, 8), QTime(23, 30, 0)};
    int step = 1;
    QDateTime currentLocalTime() override
    {
        now = now.addSecs(step);
        return now;
    }
    int currentUtcOffsetSeconds() override { return 3600; }
};

/// User and system processor time of this process so far, in seconds.
double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

/// Refreshes the window seconds times, each a second on, and paints what each changed. Its own
/// function, so callgrind can count just this: --toggle-collect=stepSeconds*.
[[gnu::noinline]] void stepSeconds(PlanWindow &plan, int seconds)
{
    for (int second = 0; second < seconds; ++second) {
        plan.refresh();
        // The repaints it asked for, and no timer: the window's own refreshes stay out.
        QCoreApplication::sendPostedEvents();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    prepareApplication(argc, argv);
    QApplication app(argc, argv);
    configureApplication(app);
    const bool still = argc > 2 && std::strcmp(argv[1], "--still") == 0;
    const bool grab = argc > 2 && std::strcmp(argv[1], "--grab") == 0;
    const bool steps = grab || (argc > 2 && std::strcmp(argv[1], "--steps") == 0);
    const bool open = still || steps || (argc > 2 && std::strcmp(argv[1], "--open") == 0);
    const int refreshes = argc > 1 && !open ? std::max(1, atoi(argv[1])) : 2000;
    const int openSeconds = open ? std::max(1, atoi(argv[2])) : 0;

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

    SteppingTimeSource stepping;
    SystemTimeSource system;
    stepping.step = still || grab ? 0 : 1;
    if (steps && argc > 3)
        stepping.now.setTime(QTime::fromString(QString::fromLatin1(argv[3]), u"hh:mm"));
    TimeSource &time = open && !still && !steps ? static_cast<TimeSource &>(system) : stepping;
    PlanWindow plan(time, folder.path(), [] {
        return PlanSettings{QStringLiteral("13.41 Berlin"), QStringLiteral("Messier"), false};
    });
    plan.show();
    QCoreApplication::processEvents();
    plan.selectObject(QStringLiteral("M 42"));
    std::printf("objects: %lld\n", static_cast<long long>(plan.rows().size()));

    if (open) {
        // As wide as the main window opens it.
        plan.resize(plan.widthShowingEveryColumn(), plan.height());
        // Settle first: the window's first paint and the fonts' loading are start-up, not the
        // cost of keeping it open.
        // A loop of its own: the application's quit would close the window.
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        if (grab)
            return plan.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
        if (steps) {
            std::printf("steps from %s\n", qPrintable(stepping.now.toString(u"hh:mm:ss")));
            std::fflush(stdout);
            const double before = processorSeconds();
            stepSeconds(plan, openSeconds);
            std::printf("%d steps: %.3f s processor time\n", openSeconds,
                        processorSeconds() - before);
            return 0;
        }
        const double before = processorSeconds();
        QTimer::singleShot(openSeconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        const double used = processorSeconds() - before;
        std::printf("open %d s: %.3f s processor time, %.3f s per minute\n", openSeconds, used,
                    used * 60 / openSeconds);
        return 0;
    }

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
