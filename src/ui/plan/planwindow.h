// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/sites.h"
#include "clock/observingplan.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class PlanChart;
class PlanTableModel;
class QLabel;
class QTableView;
class TimeSource;

/// What the plan takes from the main window as it stands: the site choice's text, the list
/// choice's text and the "Sommerzeit" box.
struct PlanSettings
{
    QString siteText;
    QString listName;
    bool summerTime = false;
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
        RightAscensionColumn,
        DeclinationColumn,
        ColumnCount
    };

    /// settings: read at every refresh; dataFolder: the folder of the data files.
    PlanWindow(TimeSource &timeSource, const QString &dataFolder,
               std::function<PlanSettings()> settings, QWidget *parent = nullptr);
    ~PlanWindow() override;

    /// Computes the plan for now; reads the list and the sites again only when their choice has
    /// changed.
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
    /// The rows as last computed, in the table's order.
    const QList<PlanRow> &rows() const;
    /// The header's lines as shown (site, list and time; then the notes, when there are any).
    QString headerText() const;
    bool isRefreshing() const { return timer.isActive(); }

signals:
    /// Enter or a double-click on a row: the main window is to choose that object.
    void objectChosen(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void readList(const QString &listName);
    void readSites();
    void showHeader(const PlanSettings &now, const QDateTime &localTime);
    void updateSpans();
    void showSelectedInChart();

    TimeSource &timeSource;
    QString dataFolder;
    std::function<PlanSettings()> settings;

    QLabel *siteLine;
    QLabel *noteLine;
    QTableView *view;
    PlanTableModel *model;
    PlanChart *chart;
    QTimer timer;

    PlanInput input;
    /// The list whose records input holds; empty text of a problem when it was read.
    QString readListName;
    bool listRead = false;
    /// The columns are fitted to their contents after the list is read.
    bool fitColumns = true;
    QString listProblem;
    QList<SiteEntry> sites;
    bool sitesRead = false;
    QString sitesProblem;
    /// Rows whose altitude, azimuth and culmination cells are joined to say why they are empty.
    QList<int> spannedRows;
};
