// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandline/commandline.h"

#include <QCommandLineOption>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;
class TimeSource;

/// The options of the plan and the night: --plan, --nacht, --site, --list, --time,
/// --sommerzeit, --winterzeit.
class PlanOptions
{
public:
    void addTo(QCommandLineParser &parser) const;
    /// Fills plan when --plan is given, night when --nacht is; a German fault for contradicting
    /// or orphaned options (--list belongs to --plan alone).
    std::optional<QString> read(const QCommandLineParser &parser, std::optional<PlanRequest> &plan,
                                std::optional<PlanRequest> &night) const;

private:
    QCommandLineOption plan{QStringLiteral("plan"),
                            QStringLiteral("Gibt den Beobachtungsplan als Tabelle aus (ohne "
                                           "Fenster), nach Zeit bis zum Meridiandurchgang, "
                                           "mit Aufgang, Untergang, bester Zeit und "
                                           "Mondabstand.")};
    QCommandLineOption night{QStringLiteral("nacht"),
                             QStringLiteral("Gibt die Nacht aus (ohne Fenster): Sonnenuntergang, "
                                            "Dämmerung, Sonnenaufgang, Mondaufgang, "
                                            "Monduntergang, beleuchteter Teil des Mondes.")};
    QCommandLineOption site{QStringLiteral("site"),
                            QStringLiteral("Standort wie in der Standortauswahl, oder eine Länge "
                                           "in Grad (Ost positiv; --nacht braucht einen Standort "
                                           "mit Breite). Vorgabe: der erste."),
                            QStringLiteral("text")};
    QCommandLineOption list{QStringLiteral("list"),
                            QStringLiteral("Objektliste (nur mit --plan). Vorgabe: die erste."),
                            QStringLiteral("name")};
    QCommandLineOption time{QStringLiteral("time"),
                            QStringLiteral("Ortszeit \"JJJJ-MM-TT hh:mm:ss\". Vorgabe: jetzt."),
                            QStringLiteral("zeit")};
    QCommandLineOption summer{QStringLiteral("sommerzeit"),
                              QStringLiteral("Mit Sommerzeit rechnen, --time gilt in UTC+2 "
                                             "(Vorgabe: nach der Zeitzone des Systems).")};
    QCommandLineOption winter{QStringLiteral("winterzeit"),
                              QStringLiteral("Ohne Sommerzeit rechnen, --time gilt in UTC+1.")};
};

/// The local time and "Sommerzeit" of a plan, as --time, --sommerzeit and --winterzeit ask.
struct PlanClock
{
    QDateTime localTime; ///< wall-clock reading, without zone rules when --time gives it
    bool daylightSaving = false;
    QStringList notes; ///< German notes for standard error

    /// Without --time: the system clock now, the flag or else the system's present offset, and
    /// a note while the two disagree. With --time and a flag: that time in the flag's offset.
    /// With --time alone: the offset the system's zone has at that time when it is central
    /// European time, else winter time with a note. A German fault for a time that is no time,
    /// or that the system's zone skips or shows twice when no flag decides.
    std::optional<QString> set(const PlanRequest &request, TimeSource &timeSource);
};

/// The plan as a tab-separated UTF-8 table on standard output, exit code 0; an unknown site or
/// list, an unusable data file or a bad time give a German message and exit code 2.
/// dataFolder holds the data files; timeSource gives the present time and UTC offset.
CommandLineOutcome runPlanCommand(const PlanRequest &request, const QString &dataFolder,
                                  TimeSource &timeSource);

/// runPlanCommand for the running program, printed; returns the exit code.
int printPlan(const PlanRequest &request);

/// The night that holds the request's time at its site, one event a line ("Sonnenuntergang",
/// tab, local time or "keiner"), exit code 0. The site, time and offset are read as for the
/// plan; a site without latitude, an unknown site or a bad time give a German message and exit
/// code 2. request.list is not read.
CommandLineOutcome runNightCommand(const PlanRequest &request, const QString &dataFolder,
                                   TimeSource &timeSource);

/// runNightCommand for the running program, printed; returns the exit code.
int printNight(const PlanRequest &request);
