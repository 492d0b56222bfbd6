// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/sites.h"
#include "clock/nightplan.h"
#include "clock/observingplan.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class PlanChart;
class PlanHeaderLine;
class PlanSortModel;
class PlanTableModel;
class QLabel;
class QMenu;
class QTableView;
class TimeSource;

/// What the plan takes from the main window as it stands: the site choice's text, the list
/// choice's text, the "Sommerzeit" box and the object choice's text.
struct PlanSettings
{
    QString siteText;
    QString listName;
    bool summerTime = false;
    /// Selected in the table whenever the list is read anew.
    QString objectName;
};

/// The window "Beobachtungsplan": every object of the chosen list with its hour angle east or
/// west, its next meridian transit, its altitude and azimuth now and at culmination, refreshed
/// once a second while it is shown, and the night of the selected object below.
class PlanWindow : public QWidget
{
    Q_OBJECT
public:
    /// Table columns, left to right.
    enum Column
    {
        ObjectColumn,
        HourAngleColumn,
        TransitColumn,
        TimeLeftColumn,
        AltitudeColumn,
        AzimuthColumn,
        CulminationColumn,
        RiseColumn,
        SetColumn,
        BestTimeColumn,
        MoonColumn,
        RightAscensionColumn,
        DeclinationColumn,
        ColumnCount
    };

    /// settings: read at every refresh; dataFolder: the folder of the data files.
    PlanWindow(TimeSource &timeSource, const QString &dataFolder,
               std::function<PlanSettings()> settings, QWidget *parent = nullptr);
    ~PlanWindow() override;

    /// Computes the plan for now; reads the list and the sites again only when their choice has
    /// changed (or the list file has gone or come back).
    void refresh();
    /// Reads the list and the sites again (the editor saved, the list was chosen again) and
    /// refreshes.
    void reload();

    /// Selects the first row of that object and shows it; nothing when it is not in the plan.
    void selectObject(const QString &name);
    /// The name of the selected row; empty when none is selected.
    QString selectedObject() const;

    /// The window width at which every column of the current plan shows without scrolling.
    int widthShowingEveryColumn() const;

    QTableView *table() const { return view; }
    PlanChart *nightChart() const { return chart; }
    /// The rows as last computed, in the table's order (as sorted by the observer).
    QList<PlanRow> rows() const;
    /// The night's summary the window shows; none without the site's latitude.
    const std::optional<NightSummary> &night() const { return nightSummary; }
    /// The header's lines as shown (site, list and time; the night; then the notes, when there
    /// are any).
    QString headerText() const;
    bool isRefreshing() const { return timer.isActive(); }
    /// The table's own menu (Shift+F10, the menu key or a right-click), for the caller to show.
    QMenu *createTableMenu();

    /// Where the meridian queue puts a row: the hour angle from +1 h (crossed an hour ago) down
    /// to -23 h (next transit in 23 h); larger values come first.
    static double queueHours(const PlanRow &row);

signals:
    /// Enter or a double-click on a row: the main window is to choose that object.
    void objectChosen(const QString &name);
    /// F1: the main window is to open its help.
    void helpRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void readList(const QString &listName);
    void readSites();
    void noticeListFileGone();
    void showHeader(const PlanSettings &now, const QDateTime &localTime);
    void showNightLine(const QDateTime &localTime);
    void updateNight();
    QList<NightObject> nightObjectsFor(const QList<PlanRow> &rows);
    void updateSpans();
    void showSelectedInChart();
    QList<int> measureColumns() const;
    void fitColumns();
    void growToShowEveryColumn();
    bool showsEveryColumn() const;
    void showTableMenu(const QPoint &globalPosition);

    TimeSource &timeSource;
    QString dataFolder;
    std::function<PlanSettings()> settings;

    PlanHeaderLine *siteLine;
    PlanHeaderLine *clockLine;
    PlanHeaderLine *nightLine;
    PlanHeaderLine *moonLine;
    QLabel *noteLine;
    QTableView *view;
    PlanTableModel *model;
    PlanSortModel *sorted;
    PlanChart *chart;
    QTimer timer;

    PlanInput input;
    /// input.records taken apart, once per reading of the list.
    QList<PlanObject> objects;
    /// The list whose records input holds; empty text of a problem when it was read.
    QString readListName;
    /// The file the records came from; empty when none was read.
    QString readListPath;
    bool listRead = false;
    /// The list file was read and has since been deleted: the rows show what it held.
    bool listFileGone = false;
    /// The columns are fitted to their contents after the list or the site changes.
    bool columnsToFit = true;
    /// After a list or site change the open window widens to show every column, when it
    /// showed every column before.
    bool widenToColumns = false;
    QString shownSiteText;
    QString listProblem;
    QList<SiteEntry> sites;
    bool sitesRead = false;
    QString sitesProblem;
    /// The Sun's and the Moon's night for the site, computed once per site, night and
    /// "Sommerzeit"; none without a latitude.
    std::optional<NightSummary> nightSummary;
    /// Rise, set, best time and Moon distance by object (name, right ascension, declination):
    /// they change with the night and the list; the Moon's distance is renewed each minute.
    struct CachedNight
    {
        QString rightAscension, declination;
        NightObject night;
    };
    QHash<QString, QList<CachedNight>> nightObjects;
    qint64 nightObjectsMinute = -1;
    /// The minute the Moon's line was written for.
    qint64 moonLineMinute = -1;
    /// Rows of the view whose altitude, azimuth and culmination cells are joined to say why they
    /// are empty.
    QList<int> spannedRows;
};
