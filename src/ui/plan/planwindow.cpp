// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plan/planwindow.h"

#include "astro/sidereal.h"
#include "catalogue/cataloguefiles.h"
#include "catalogue/cataloguemessages.h"
#include "clock/readouttext.h"
#include "clock/timesource.h"
#include "ui/plan/planchart.h"
#include "ui/shared/nightvision.h"
#include "ui/shared/staricon.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

/// Rows this near the meridian stand out: a German mount flips there, a manual one is easiest.
constexpr double NEAR_MERIDIAN_HOURS = 1.0;

const QColor NEAR_MERIDIAN_TEXT{255, 32, 32};
const QColor BELOW_HORIZON_TEXT{96, 0, 0};

bool isNearMeridian(const PlanRow &row)
{
    return row.hasHourAngle && std::abs(row.eastWestHours) <= NEAR_MERIDIAN_HOURS;
}

bool isBelowHorizon(const PlanRow &row)
{
    return row.position && row.position->altitudeDegrees < 0;
}

QString degreesCell(double degrees)
{
    return degreesText(degrees) + u'°';
}

QString culminationCell(const astro::Culmination &culmination)
{
    switch (culmination.circle) {
    case astro::DailyCircle::Circumpolar:
        return degreesCell(culmination.altitudeDegrees) + QStringLiteral(" (zirkumpolar)");
    case astro::DailyCircle::NeverRises:
        return degreesCell(culmination.altitudeDegrees) + QStringLiteral(" (geht nie auf)");
    case astro::DailyCircle::RisesAndSets:
        break;
    }
    return degreesCell(culmination.altitudeDegrees);
}

} // namespace

/// The plan's rows as table cells, coloured for the night.
class PlanTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    const QList<PlanRow> &rows() const { return planRows; }

    void setRows(const QList<PlanRow> &rows)
    {
        if (rows.size() != planRows.size()) {
            beginResetModel();
            planRows = rows;
            endResetModel();
            return;
        }
        planRows = rows;
        if (!planRows.isEmpty())
            emit dataChanged(index(0, 0),
                             index(int(planRows.size()) - 1, PlanWindow::ColumnCount - 1));
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(planRows.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : PlanWindow::ColumnCount;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const QStringList titles{
            QStringLiteral("Objekt"),      QStringLiteral("Stundenwinkel"),
            QStringLiteral("Durchgang"),   QStringLiteral("Bis"),
            QStringLiteral("Höhe"),        QStringLiteral("Azimut"),
            QStringLiteral("Kulmination"), QStringLiteral("Rektaszension"),
            QStringLiteral("Deklination")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return titles.value(section);
        return {};
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= planRows.size())
            return {};
        const PlanRow &row = planRows.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return cellText(row, index.column());
        case Qt::ForegroundRole:
            if (isBelowHorizon(row))
                return BELOW_HORIZON_TEXT;
            if (isNearMeridian(row))
                return NEAR_MERIDIAN_TEXT;
            return NightVision::text;
        case Qt::FontRole:
            if (isNearMeridian(row)) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == PlanWindow::ObjectColumn ||
                (index.column() == PlanWindow::AltitudeColumn && !row.position))
                return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
        }
    }

private:
    static QString cellText(const PlanRow &row, int column)
    {
        switch (column) {
        case PlanWindow::ObjectColumn:
            return row.name;
        case PlanWindow::HourAngleColumn:
            return row.hasHourAngle ? eastWestText(row.hourAngleHours) : QString();
        case PlanWindow::TransitColumn:
            return row.hasHourAngle ? row.transitLocalTime.toString(QStringLiteral("HH:mm:ss"))
                                    : QString();
        case PlanWindow::TimeLeftColumn:
            return row.hasHourAngle ? durationText(row.secondsToTransit) : QString();
        case PlanWindow::AltitudeColumn:
            return row.position ? degreesCell(row.position->altitudeDegrees) : row.emptyReason;
        case PlanWindow::AzimuthColumn:
            return row.position ? degreesCell(row.position->azimuthDegrees) : QString();
        case PlanWindow::CulminationColumn:
            return row.culmination ? culminationCell(*row.culmination) : QString();
        case PlanWindow::RightAscensionColumn:
            return row.rightAscensionText;
        case PlanWindow::DeclinationColumn:
            return row.declinationText;
        default:
            return {};
        }
    }

    QList<PlanRow> planRows;
};

PlanWindow::PlanWindow(TimeSource &timeSource, const QString &dataFolder,
                       std::function<PlanSettings()> settings, QWidget *parent)
    : QWidget(parent, Qt::Window), timeSource(timeSource), dataFolder(dataFolder),
      settings(std::move(settings)), siteLine(new QLabel(this)), noteLine(new QLabel(this)),
      view(new QTableView(this)), model(new PlanTableModel(this)), chart(new PlanChart(this))
{
    setObjectName(QStringLiteral("planWindow"));
    setWindowTitle(QStringLiteral("Beobachtungsplan"));
    setWindowIcon(starClockIcon());
    NightVision::applyToWindow(this);
    setAutoFillBackground(true);

    siteLine->setObjectName(QStringLiteral("planSiteLine"));
    siteLine->setWordWrap(true);
    noteLine->setObjectName(QStringLiteral("planNoteLine"));
    noteLine->setWordWrap(true);
    QPalette notePalette = noteLine->palette();
    notePalette.setColor(QPalette::WindowText, NEAR_MERIDIAN_TEXT);
    noteLine->setPalette(notePalette);
    noteLine->hide();

    view->setObjectName(QStringLiteral("planTable"));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    // Fusion shades header sections with translucent white, which turns the red pink, and
    // paints the header light past the last column.
    view->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView { background-color: black; } "
                       "QHeaderView::section { background-color: rgb(128, 0, 0); color: black; "
                       "border: none; border-right: 1px solid rgb(64, 0, 0); "
                       "padding: 1px 4px; }"));
    // No stretch: a stretched last column keeps at least the default width and needs scrolling
    // where its text would fit.
    view->horizontalHeader()->setStretchLastSection(false);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    chart->setFocusPolicy(Qt::NoFocus);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(siteLine);
    layout->addWidget(noteLine);
    layout->addWidget(view, 3);
    layout->addWidget(chart, 2);
    setFocusProxy(view);
    view->setFocus();

    // Enter and a double-click both activate a row.
    connect(view, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        if (index.isValid() && index.row() < model->rows().size())
            emit objectChosen(model->rows().at(index.row()).name);
    });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlanWindow::showSelectedInChart);
    auto *closeByEscape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeByEscape, &QShortcut::activated, this, &QWidget::close);

    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &PlanWindow::refresh);
    resize(760, 640);
}

PlanWindow::~PlanWindow() = default;

int PlanWindow::widthShowingEveryColumn() const
{
    const QHeaderView *header = view->horizontalHeader();
    // What resizing the columns to their contents gives, without the stretch of the last one.
    const int grid = view->showGrid() ? 1 : 0;
    // As many rows as the header itself measures, so a list of thousands opens at once.
    const int precision = header->resizeContentsPrecision();
    const int rows = precision > 0 ? std::min(model->rowCount(), precision) : model->rowCount();
    int columns = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        int widest = header->sectionSizeHint(column);
        for (int row = 0; row < rows; ++row)
            if (view->columnSpan(row, column) == 1) // a text over several columns fits them
                widest = std::max(widest,
                                  view->sizeHintForIndex(model->index(row, column)).width() + grid);
        columns += widest;
    }
    const QMargins margins = layout()->contentsMargins();
    return columns + 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width() +
           margins.left() + margins.right();
}

const QList<PlanRow> &PlanWindow::rows() const
{
    return model->rows();
}

void PlanWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
    timer.start();
}

void PlanWindow::hideEvent(QHideEvent *event)
{
    // Also on minimising: nothing is computed that nobody sees.
    timer.stop();
    QWidget::hideEvent(event);
}

void PlanWindow::reload()
{
    listRead = false;
    sitesRead = false;
    refresh();
}

void PlanWindow::readList(const QString &listName)
{
    readListName = listName;
    listRead = true;
    fitColumns = true;
    input.records.clear();
    listProblem.clear();
    if (listName.isEmpty()) {
        listProblem = QStringLiteral("Keine Liste gewählt.");
        return;
    }
    const FileRead<QList<QStringList>> read =
        CatalogueFiles(dataFolder).ReadObjectRecords(listName);
    if (read.state != FileState::Done) {
        listProblem = fileProblemMessage(read.state, read.path, listName);
        return;
    }
    input.records = read.value;
    if (!read.longLines.isEmpty())
        listProblem = longLinesMessage(read.path, read.longLines);
    else if (read.value.isEmpty())
        listProblem = noEntriesMessage(read.path);
}

void PlanWindow::readSites()
{
    sitesRead = true;
    const FileRead<QList<SiteEntry>> read = CatalogueFiles(dataFolder).ReadSites();
    sites = read.state == FileState::Done ? read.value : QList<SiteEntry>();
    sitesProblem =
        read.state == FileState::Done ? QString() : fileProblemMessage(read.state, read.path, {});
}

void PlanWindow::refresh()
{
    const PlanSettings now = settings();
    if (!listRead || now.listName != readListName)
        readList(now.listName);
    if (!sitesRead)
        readSites();
    input.longitudeDegrees = astro::ParseLeadingNumber(now.siteText.toStdString());
    input.latitudeDegrees = latitudeOfSite(sites, now.siteText);
    input.localTime = timeSource.currentLocalTime();
    input.daylightSaving = now.summerTime;

    // The rows move as objects pass the meridian: the selection follows its object by name,
    // and the view stays where the observer scrolled it.
    const QString selected = selectedObject();
    const int scrolled = view->verticalScrollBar()->value();
    model->setRows(computePlan(input));
    updateSpans();
    if (fitColumns) {
        // Once per list: columns that follow every second's widths would jitter.
        view->resizeColumnsToContents();
        fitColumns = false;
    }
    int selectedRow = -1;
    for (int row = 0; row < model->rows().size() && !selected.isEmpty(); ++row)
        if (model->rows().at(row).name == selected) {
            selectedRow = row;
            break;
        }
    if (selectedRow < 0)
        view->selectionModel()->clear();
    else if (selectedRow != view->selectionModel()->currentIndex().row() ||
             !view->selectionModel()->isRowSelected(selectedRow))
        view->selectionModel()->setCurrentIndex(model->index(selectedRow, 0),
                                                QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    view->verticalScrollBar()->setValue(scrolled);
    showHeader(now, input.localTime);
    showSelectedInChart();
}

void PlanWindow::updateSpans()
{
    QList<int> reasons;
    for (int row = 0; row < model->rows().size(); ++row)
        if (!model->rows().at(row).position)
            reasons.append(row);
    if (reasons == spannedRows)
        return;
    view->clearSpans();
    for (int row : reasons)
        view->setSpan(row, AltitudeColumn, 1, CulminationColumn - AltitudeColumn + 1);
    spannedRows = reasons;
}

void PlanWindow::showHeader(const PlanSettings &now, const QDateTime &localTime)
{
    QString site = QStringLiteral("Standort: ") +
                   (now.siteText.isEmpty() ? QStringLiteral("–") : now.siteText);
    site += input.latitudeDegrees
                ? QStringLiteral(" (Breite ") + degreesCell(*input.latitudeDegrees) + u')'
                : QStringLiteral(" (Breite unbekannt)");
    siteLine->setText(site + QStringLiteral("   Liste: ") +
                      (now.listName.isEmpty() ? QStringLiteral("–") : now.listName) +
                      QStringLiteral("   Ortszeit: ") + DateTimeText(localTime, QLocale()));

    QStringList notes;
    const int utcOffset = timeSource.currentUtcOffsetSeconds();
    if (summerTimeDisagrees(now.summerTime, utcOffset))
        notes.append(summerTimeWarning(now.summerTime, utcOffset));
    if (!listProblem.isEmpty())
        notes.append(listProblem);
    if (!sitesProblem.isEmpty())
        notes.append(sitesProblem);
    for (const SiteEntry &entry : sites)
        if (entry.text == now.siteText && !entry.latitudeProblem.isEmpty()) {
            notes.append(entry.latitudeProblem);
            break;
        }
    const QString noteText = notes.join(u'\n');
    if (noteLine->text() != noteText)
        noteLine->setText(noteText);
    noteLine->setVisible(!noteText.isEmpty());
}

QString PlanWindow::headerText() const
{
    return noteLine->text().isEmpty() ? siteLine->text()
                                      : siteLine->text() + u'\n' + noteLine->text();
}

void PlanWindow::selectObject(const QString &name)
{
    for (int row = 0; row < model->rows().size(); ++row)
        if (model->rows().at(row).name == name) {
            const QModelIndex index = model->index(row, 0);
            view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
            view->scrollTo(index);
            return;
        }
}

QString PlanWindow::selectedObject() const
{
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    if (selected.isEmpty() || selected.constFirst().row() >= model->rows().size())
        return {};
    return model->rows().at(selected.constFirst().row()).name;
}

void PlanWindow::showSelectedInChart()
{
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    if (selected.isEmpty() || selected.constFirst().row() >= model->rows().size()) {
        chart->clear();
        return;
    }
    chart->showObject(input, model->rows().at(selected.constFirst().row()));
}
