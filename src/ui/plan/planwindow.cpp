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
#include <QAccessible>
#include <QApplication>
#include <QCollator>
#include <QFileInfo>
#include <QGlyphRun>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QRawFont>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStaticText>
#include <QStyledItemDelegate>
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

/// True when both values print alike with two decimals (degreesText): the same hundredths, and
/// neither so near half of one that the printed rounding could differ from this one.
bool sameHundredths(double a, double b)
{
    const double x = a * 100;
    const double y = b * 100;
    const double roundX = std::round(x);
    const double roundY = std::round(y);
    return roundX == roundY && std::abs(std::abs(x - roundX) - 0.5) > 1e-6 &&
           std::abs(std::abs(y - roundY) - 0.5) > 1e-6;
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

/// How a row is drawn: its colour and weight follow its place in the sky.
enum class RowLook
{
    Plain,
    NearMeridian,
    BelowHorizon
};

RowLook lookOf(const PlanRow &row)
{
    if (isBelowHorizon(row))
        return RowLook::BelowHorizon;
    if (isNearMeridian(row))
        return RowLook::NearMeridian;
    return RowLook::Plain;
}

/// "hh:mm:ss" (hours as many digits as they need) or "hh:mm" of whole seconds, written
/// directly: a refresh writes hundreds of them, and QString::arg and QDateTime::toString cost
/// many times more.
QString clockText(qint64 seconds, bool withSeconds = true)
{
    char text[32];
    char *end = text + sizeof text;
    char *at = end;
    const auto twoDigits = [&at](qint64 value) {
        *--at = char('0' + value % 10);
        *--at = char('0' + value / 10 % 10);
    };
    if (withSeconds) {
        twoDigits(seconds % 60);
        *--at = ':';
    }
    twoDigits(seconds / 60 % 60);
    *--at = ':';
    qint64 hours = seconds / 3600;
    twoDigits(hours % 100);
    for (hours /= 100; hours > 0 && at > text; hours /= 10)
        *--at = char('0' + hours % 10);
    return QString::fromLatin1(at, end - at);
}

/// As eastWestText: the whole seconds the hour-angle readout shows, east negative.
QString hourAngleCell(double hourAngleHours)
{
    if (!std::isfinite(hourAngleHours))
        return {};
    qint64 seconds = static_cast<qint64>(std::floor(hourAngleHours * 3600));
    seconds %= 86400;
    if (seconds < 0)
        seconds += 86400;
    if (seconds >= 86400 / 2)
        seconds -= 86400;
    return (seconds < 0 ? u'-' : u'+') + clockText(std::abs(seconds));
}

/// A wall-clock reading as "hh:mm:ss" or "hh:mm", with the day when it is not today's:
/// "morgen", "gestern" or the date.
QString dayTimeText(const QDateTime &wallClock, const QDate &today, bool withSeconds = true)
{
    const QString time = clockText(wallClock.time().msecsSinceStartOfDay() / 1000, withSeconds);
    const QDate date = wallClock.date();
    if (date == today)
        return time;
    if (date == today.addDays(1))
        return QStringLiteral("morgen ") + time;
    if (date == today.addDays(-1))
        return QStringLiteral("gestern ") + time;
    return wallClock.toString(QStringLiteral("dd.MM. ")) + time;
}

constexpr bool MINUTES = false;

/// An event of the night as "hh:mm" with its day, or why it does not happen.
QString eventText(const NightEvent &event, const QDate &today)
{
    if (event.localTime)
        return dayTimeText(*event.localTime, today, MINUTES);
    return event.reason.isEmpty() ? QStringLiteral("keiner") : event.reason;
}

/// Whole degrees: what the Moon's distance and the best altitude need.
QString wholeDegrees(double degrees)
{
    return QString::number(std::lround(degrees)) + u'°';
}

/// Decimal value of a "hh:mm:ss" or "dd:mm:ss" text as in the file; none when it has not three
/// parts. The sign of the first part applies to the whole, "-00:30:00" included.
QVariant sexagesimalValue(const QString &text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 3)
        return {};
    const double first = astro::ParseLeadingNumber(parts[0].toStdString());
    const double rest = astro::ParseLeadingNumber(parts[1].toStdString()) / 60 +
                        astro::ParseLeadingNumber(parts[2].toStdString()) / 3600;
    return parts[0].trimmed().startsWith(u'-') ? first - rest : first + rest;
}

const char *const COLUMN_TOOLTIPS[] = {
    "Name des Objekts, wie in der Objektauswahl des Hauptfensters",
    "Stundenwinkel jetzt (Stunden:Minuten:Sekunden): − östlich des Meridians, der Durchgang "
    "steht bevor; + westlich, der Durchgang ist vorbei",
    "Ortszeit des nächsten Meridiandurchgangs (obere Kulmination); „morgen“ oder das Datum, "
    "wenn er nicht heute ist",
    "Zeit bis zum nächsten Meridiandurchgang (Stunden:Minuten:Sekunden)",
    "Höhe über dem Horizont jetzt, in Grad; negativ: unter dem Horizont",
    "Azimut jetzt, in Grad, von Norden über Osten (90°) gezählt",
    "Kulmination: die Höhe beim Meridiandurchgang, die größte des Tages, in Grad; "
    "„zirkumpolar“: geht nie unter, „geht nie auf“: bleibt unter dem Horizont",
    "Erster Aufgang in dieser Nacht (Mittag bis Mittag), Ortszeit; Höhe 0° ohne Refraktion",
    "Erster Untergang in dieser Nacht (Mittag bis Mittag), Ortszeit; Höhe 0° ohne Refraktion",
    "Beste Zeit: wann das Objekt in der astronomischen Dunkelheit am höchsten steht, Ortszeit, "
    "in Klammern die Höhe dann in Grad",
    "Abstand vom Mond jetzt, in Grad (0° bis 180°)",
    "Rektaszension wie in der Listendatei (Stunden:Minuten:Sekunden)",
    "Deklination wie in der Listendatei (Grad:Bogenminuten:Bogensekunden), + nördlich"};

} // namespace

/// The plan's rows as table cells, coloured for the night, in the meridian queue. The cells'
/// texts are kept, so a refresh tells the view only about the cells whose text changed.
class PlanTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    const QList<PlanRow> &rows() const { return planRows; }

    /// Takes the rows of a refresh; today: the local date, for the day marks.
    void setRows(const QList<PlanRow> &rows, const QList<NightObject> &nights, const QDate &today)
    {
        bool sameObjects = rows.size() == planRows.size() && today == textsDay;
        for (qsizetype i = 0; sameObjects && i < rows.size(); ++i)
            sameObjects = rows[i].name == planRows[i].name;
        static const NightObject noNight;
        const auto nightOf = [](const QList<NightObject> &list,
                                qsizetype i) -> const NightObject & {
            return i < list.size() ? list[i] : noNight;
        };
        textsDay = today;
        if (!sameObjects) {
            // Rows come and go or change places: rare (an object passes the queue's end).
            QList<QString> texts;
            texts.reserve(rows.size() * PlanWindow::ColumnCount);
            for (qsizetype i = 0; i < rows.size(); ++i)
                for (int column = 0; column < PlanWindow::ColumnCount; ++column)
                    texts.append(cellText(rows[i], nightOf(nights, i), column, today));
            beginResetModel();
            planRows = rows;
            nightRows = nights;
            cellTexts = texts;
            endResetModel();
            return;
        }

        // The texts are rewritten in place, and only where the value behind them moved.
        QList<bool> restyled(rows.size(), false);
        QList<bool> changed(rows.size() * PlanWindow::ColumnCount, false);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            restyled[i] = lookOf(planRows[i]) != lookOf(rows[i]);
            const NightObject &isNight = nightOf(nights, i);
            const NightObject &wasNight = nightOf(nightRows, i);
            for (int column = 0; column < PlanWindow::ColumnCount; ++column) {
                if (sameValue(planRows[i], wasNight, rows[i], isNight, column))
                    continue;
                QString text = cellText(rows[i], isNight, column, today);
                QString &kept = cellTexts[i * PlanWindow::ColumnCount + column];
                if (text != kept) {
                    kept = std::move(text);
                    changed[i * PlanWindow::ColumnCount + column] = true;
                }
            }
        }
        planRows = rows;
        nightRows = nights;
        const int last = PlanWindow::ColumnCount - 1;
        for (int row = 0; row < planRows.size(); ++row)
            if (restyled[row])
                emit dataChanged(index(row, 0), index(row, last));
        // One signal per run of changed cells down a column: a second changes the hour angle
        // and the time left of every row, and little else.
        static const QList<int> textRoles{Qt::DisplayRole, Qt::UserRole};
        for (int column = 0; column <= last; ++column) {
            int runStart = -1;
            for (int row = 0; row <= planRows.size(); ++row) {
                const bool moved = row < planRows.size() && !restyled[row] &&
                                   changed[row * PlanWindow::ColumnCount + column];
                if (moved && runStart < 0)
                    runStart = row;
                else if (!moved && runStart >= 0) {
                    emit dataChanged(index(runStart, column), index(row - 1, column), textRoles);
                    runStart = -1;
                }
            }
        }
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
            QStringLiteral("Kulmination"), QStringLiteral("Aufgang"),
            QStringLiteral("Untergang"),   QStringLiteral("Beste Zeit"),
            QStringLiteral("Mond"),        QStringLiteral("Rektaszension"),
            QStringLiteral("Deklination")};
        if (orientation != Qt::Horizontal || section < 0 || section >= PlanWindow::ColumnCount)
            return {};
        if (role == Qt::DisplayRole)
            return titles.value(section);
        if (role == Qt::ToolTipRole)
            return QString::fromUtf8(COLUMN_TOOLTIPS[section]);
        return {};
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= planRows.size())
            return {};
        const PlanRow &row = planRows.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
            return cellTexts.at(index.row() * PlanWindow::ColumnCount + index.column());
        case Qt::UserRole:
            return index.row() < nightRows.size()
                       ? sortValue(row, nightRows[index.row()], index.column())
                       : sortValue(row, NightObject(), index.column());
        case Qt::ForegroundRole:
            switch (lookOf(row)) {
            case RowLook::BelowHorizon:
                return BELOW_HORIZON_TEXT;
            case RowLook::NearMeridian:
                return NEAR_MERIDIAN_TEXT;
            case RowLook::Plain:
                break;
            }
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
    /// True when the cell's text cannot differ between the two: most cells keep their value
    /// from one second to the next, and writing texts is the costly part of a refresh.
    static bool sameValue(const PlanRow &was, const NightObject &wasNight, const PlanRow &is,
                          const NightObject &isNight, int column)
    {
        const auto sameCulmination = [&] {
            return was.culmination.has_value() == is.culmination.has_value() &&
                   (!is.culmination ||
                    (was.culmination->altitudeDegrees == is.culmination->altitudeDegrees &&
                     was.culmination->circle == is.culmination->circle));
        };
        const bool samePlace = was.position.has_value() == is.position.has_value() &&
                               was.emptyReason == is.emptyReason;
        switch (column) {
        case PlanWindow::ObjectColumn:
            return was.name == is.name;
        case PlanWindow::TransitColumn:
            return was.hasHourAngle == is.hasHourAngle &&
                   was.transitLocalTime == is.transitLocalTime;
        case PlanWindow::AltitudeColumn:
            return samePlace && (!is.position || sameHundredths(was.position->altitudeDegrees,
                                                                is.position->altitudeDegrees));
        case PlanWindow::AzimuthColumn:
            return samePlace && (!is.position || sameHundredths(was.position->azimuthDegrees,
                                                                is.position->azimuthDegrees));
        case PlanWindow::CulminationColumn:
            return sameCulmination();
        case PlanWindow::RiseColumn:
            return samePlace && wasNight.rise == isNight.rise &&
                   wasNight.riseSetReason == isNight.riseSetReason;
        case PlanWindow::SetColumn:
            return samePlace && wasNight.set == isNight.set &&
                   wasNight.riseSetReason == isNight.riseSetReason;
        case PlanWindow::BestTimeColumn:
            return samePlace && wasNight.bestTime == isNight.bestTime &&
                   wasNight.bestAltitudeDegrees == isNight.bestAltitudeDegrees &&
                   wasNight.bestReason == isNight.bestReason;
        case PlanWindow::MoonColumn:
            return samePlace && wasNight.moonDistanceDegrees == isNight.moonDistanceDegrees;
        case PlanWindow::RightAscensionColumn:
            return was.rightAscensionText == is.rightAscensionText;
        case PlanWindow::DeclinationColumn:
            return was.declinationText == is.declinationText;
        default:
            return false; // the hour angle and the time left move every second
        }
    }

    static QString cellText(const PlanRow &row, const NightObject &night, int column,
                            const QDate &today)
    {
        switch (column) {
        case PlanWindow::ObjectColumn:
            return row.name;
        case PlanWindow::HourAngleColumn:
            return row.hasHourAngle ? hourAngleCell(row.hourAngleHours) : QString();
        case PlanWindow::TransitColumn:
            return row.hasHourAngle ? dayTimeText(row.transitLocalTime, today) : QString();
        case PlanWindow::TimeLeftColumn:
            return row.hasHourAngle ? clockText(row.secondsToTransit) : QString();
        case PlanWindow::AltitudeColumn:
            return row.position ? degreesCell(row.position->altitudeDegrees) : row.emptyReason;
        case PlanWindow::AzimuthColumn:
            return row.position ? degreesCell(row.position->azimuthDegrees) : QString();
        case PlanWindow::CulminationColumn:
            return row.culmination ? culminationCell(*row.culmination) : QString();
        case PlanWindow::RiseColumn:
        case PlanWindow::SetColumn: {
            if (!row.position)
                return {};
            const std::optional<QDateTime> &at =
                column == PlanWindow::RiseColumn ? night.rise : night.set;
            if (at)
                return dayTimeText(*at, today, MINUTES);
            return night.riseSetReason.isEmpty() ? QStringLiteral("keiner") : night.riseSetReason;
        }
        case PlanWindow::BestTimeColumn:
            if (!row.position)
                return {};
            if (night.bestTime)
                return dayTimeText(*night.bestTime, today, MINUTES) + QStringLiteral(" (") +
                       wholeDegrees(night.bestAltitudeDegrees) + u')';
            return night.bestReason;
        case PlanWindow::MoonColumn:
            return row.position && night.moonDistanceDegrees
                       ? wholeDegrees(*night.moonDistanceDegrees)
                       : QString();
        case PlanWindow::RightAscensionColumn:
            return row.rightAscensionText;
        case PlanWindow::DeclinationColumn:
            return row.declinationText;
        default:
            return {};
        }
    }

    /// What a column sorts by: the value its text shows; none for an empty cell.
    static QVariant sortValue(const PlanRow &row, const NightObject &night, int column)
    {
        const auto timeValue = [](const std::optional<QDateTime> &at) {
            return at ? QVariant(double(at->toSecsSinceEpoch())) : QVariant();
        };
        switch (column) {
        case PlanWindow::ObjectColumn:
            return row.name;
        case PlanWindow::HourAngleColumn:
            return row.hasHourAngle ? QVariant(row.eastWestHours) : QVariant();
        case PlanWindow::TransitColumn:
        case PlanWindow::TimeLeftColumn:
            return row.hasHourAngle ? QVariant(row.secondsToTransit) : QVariant();
        case PlanWindow::AltitudeColumn:
            return row.position ? QVariant(row.position->altitudeDegrees) : QVariant();
        case PlanWindow::AzimuthColumn:
            return row.position ? QVariant(row.position->azimuthDegrees) : QVariant();
        case PlanWindow::CulminationColumn:
            return row.culmination ? QVariant(row.culmination->altitudeDegrees) : QVariant();
        case PlanWindow::RiseColumn:
            return timeValue(night.rise);
        case PlanWindow::SetColumn:
            return timeValue(night.set);
        case PlanWindow::BestTimeColumn:
            return timeValue(night.bestTime);
        case PlanWindow::MoonColumn:
            return night.moonDistanceDegrees ? QVariant(*night.moonDistanceDegrees) : QVariant();
        case PlanWindow::RightAscensionColumn:
            return sexagesimalValue(row.rightAscensionText);
        case PlanWindow::DeclinationColumn:
            return sexagesimalValue(row.declinationText);
        default:
            return {};
        }
    }

    QList<PlanRow> planRows;
    QList<NightObject> nightRows;
    /// The day the texts were written for ("morgen" depends on it).
    QDate textsDay;
    /// Row by row, ColumnCount texts each.
    QList<QString> cellTexts;
};

/// Sorts by the values behind the cells: numbers as numbers, names with their numbers counted
/// ("M 2" before "M 13"); empty cells last in either order. Unsorted, the meridian queue.
class PlanSortModel : public QSortFilterProxyModel
{
public:
    explicit PlanSortModel(QObject *parent) : QSortFilterProxyModel(parent)
    {
        setSortRole(Qt::UserRole);
        setDynamicSortFilter(true);
        names.setNumericMode(true);
        names.setCaseSensitivity(Qt::CaseInsensitive);
    }

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        const QVariant a = left.data(Qt::UserRole);
        const QVariant b = right.data(Qt::UserRole);
        if (!a.isValid() || !b.isValid()) {
            // A descending sort asks with the two swapped.
            return sortOrder() == Qt::AscendingOrder ? a.isValid() && !b.isValid()
                                                     : !a.isValid() && b.isValid();
        }
        if (a.userType() == QMetaType::QString)
            return names.compare(a.toString(), b.toString()) < 0;
        return a.toDouble() < b.toDouble();
    }

private:
    QCollator names{QLocale(QLocale::German)};
};

/// Draws cells of figures (hour angles, times, degrees) from glyphs laid out once per font:
/// every second the hour angle and the time left of each visible row change, and laying out
/// their text anew each time is most of what the open window costs. Other cells and the
/// focused cell are drawn by the style as before; a selected cell of figures takes the style's
/// background.
class PlanCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QString text = index.data().toString();
        if (option.state & QStyle::State_HasFocus || !isFigures(text)) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QVariant fontRole = index.data(Qt::FontRole);
        const QFont font =
            fontRole.isValid() ? fontRole.value<QFont>().resolve(option.font) : option.font;
        const Glyphs &glyphs = glyphsOf(font);
        qreal width = 0;
        for (const QChar c : text)
            width += glyphs.advance[FIGURES.indexOf(c)];
        const QWidget *widget = option.widget;
        const QStyle *style = widget ? widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
        const QRect room = option.rect.adjusted(margin, 0, -margin, 0);
        if (width > room.width()) { // cut: the style elides it
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const Qt::Alignment alignment(index.data(Qt::TextAlignmentRole).toInt());
        QPointF at(alignment & Qt::AlignRight ? room.right() + 1 - width : room.left(),
                   room.top() + (room.height() - glyphs.height) / 2.0);
        painter->save();
        if (option.state & QStyle::State_Selected) {
            // The style's selected cell without its text, which would be laid out anew: its
            // background, then the text in the highlighted colour as the style writes it.
            style->drawControl(QStyle::CE_ItemViewItem, &option, painter, widget);
            QPalette::ColorGroup group =
                widget && !widget->isEnabled() ? QPalette::Disabled : QPalette::Normal;
            if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
                group = QPalette::Inactive;
            painter->setPen(option.palette.color(group, QPalette::HighlightedText));
        } else {
            const QVariant colour = index.data(Qt::ForegroundRole);
            painter->setPen(colour.isValid() ? colour.value<QColor>()
                                             : option.palette.color(QPalette::Text));
        }
        if (glyphs.indexes.isEmpty()) {
            painter->setFont(font);
            for (const QChar c : text) {
                const int i = int(FIGURES.indexOf(c));
                painter->drawStaticText(at, glyphs.glyph[i]);
                at.rx() += glyphs.advance[i];
            }
        } else {
            // The same glyphs at the same places as one run: one call instead of one per figure.
            QList<quint32> indexes;
            QList<QPointF> positions;
            indexes.reserve(text.size());
            positions.reserve(text.size());
            for (const QChar c : text) {
                const int i = int(FIGURES.indexOf(c));
                indexes.append(glyphs.indexes[i]);
                positions.append(QPointF(at.x(), at.y() + glyphs.ascent));
                at.rx() += glyphs.advance[i];
            }
            QGlyphRun run;
            run.setRawFont(glyphs.rawFont);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
            painter->drawGlyphRun(QPointF(0, 0), run);
        }
        painter->restore();
    }

private:
    static inline const QString FIGURES = QStringLiteral("0123456789:+-.°");

    struct Glyphs
    {
        QFont font;
        QList<QStaticText> glyph;
        QList<qreal> advance;
        qreal height = 0;
        /// The figures' glyphs in the font's first face; empty when it lacks one of them.
        QRawFont rawFont;
        QList<quint32> indexes;
        qreal ascent = 0;
    };

    static bool isFigures(const QString &text)
    {
        if (text.isEmpty())
            return false;
        for (const QChar c : text)
            if (!FIGURES.contains(c))
                return false;
        return true;
    }

    const Glyphs &glyphsOf(const QFont &font) const
    {
        // Two fonts at most (plain and bold): comparing them is cheaper than a key per cell.
        for (const Glyphs &known : cache)
            if (known.font == font)
                return known;
        Glyphs glyphs;
        glyphs.font = font;
        const QFontMetricsF metrics(font);
        glyphs.height = metrics.height();
        for (const QChar c : FIGURES) {
            QStaticText glyph{QString(c)};
            glyph.setTextFormat(Qt::PlainText);
            glyph.prepare(QTransform(), font);
            glyphs.glyph.append(glyph);
            glyphs.advance.append(metrics.horizontalAdvance(c));
        }
        glyphs.rawFont = QRawFont::fromFont(font);
        const QList<quint32> indexes = glyphs.rawFont.glyphIndexesForString(FIGURES);
        if (glyphs.rawFont.isValid() && indexes.size() == FIGURES.size() && !indexes.contains(0u)) {
            glyphs.indexes = indexes;
            glyphs.ascent = glyphs.rawFont.ascent();
        }
        cache.append(glyphs);
        return cache.constLast();
    }

    mutable QList<Glyphs> cache;
};

/// A table that repaints only the cells a change names: the base class repaints the whole
/// view for a change of more than one cell, and a refresh changes a few cells in many rows.
class PlanTableView : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles) override
    {
        if (topLeft == bottomRight || QAccessible::isActive() || !topLeft.isValid() ||
            !bottomRight.isValid()) {
            QTableView::dataChanged(topLeft, bottomRight, roles);
            return;
        }
        // Exactly the cells, their grid lines included: a pixel more would have the view draw
        // the whole cell beside them as well. A joined cell's text changes only with its
        // whole row, which this rectangle then covers.
        const int first = columnViewportPosition(topLeft.column());
        const int last = columnViewportPosition(bottomRight.column());
        const int left = std::min(first, last);
        const int right = std::max(first + columnWidth(topLeft.column()),
                                   last + columnWidth(bottomRight.column()));
        const int top = rowViewportPosition(topLeft.row());
        const int bottom = rowViewportPosition(bottomRight.row()) + rowHeight(bottomRight.row());
        const QRect area = QRect(left, top, right - left, bottom - top) & viewport()->rect();
        if (!area.isEmpty())
            viewport()->update(area);
    }
};

/// One line of the header: never wider than the window gives it; a text too long for it ends
/// in "…" and shows whole as its tooltip. A new text repaints the line and nothing else.
class PlanHeaderLine : public QWidget
{
public:
    explicit PlanHeaderLine(QWidget *parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }

    const QString &text() const { return fullText; }
    void setText(const QString &text)
    {
        if (text == fullText)
            return;
        const bool wider = fontMetrics().horizontalAdvance(text) > width();
        fullText = text;
        if (wider || !toolTip().isEmpty())
            updateToolTip();
        update();
    }

    QSize sizeHint() const override
    {
        // A little room: a text exactly as wide as the line may still be elided.
        return {fontMetrics().horizontalAdvance(fullText) + 4, fontMetrics().height() + 2};
    }
    QSize minimumSizeHint() const override { return {0, fontMetrics().height() + 2}; }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        updateToolTip();
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(fullText, Qt::ElideRight, width()));
    }

private:
    void updateToolTip()
    {
        setToolTip(fontMetrics().horizontalAdvance(fullText) > width() ? fullText : QString());
    }

    QString fullText;
};

PlanWindow::PlanWindow(TimeSource &timeSource, const QString &dataFolder,
                       std::function<PlanSettings()> settings, QWidget *parent)
    : QWidget(parent, Qt::Window), timeSource(timeSource), dataFolder(dataFolder),
      settings(std::move(settings)), siteLine(new PlanHeaderLine(this)),
      clockLine(new PlanHeaderLine(this)), nightLine(new PlanHeaderLine(this)),
      moonLine(new PlanHeaderLine(this)), noteLine(new QLabel(this)), view(new PlanTableView(this)),
      model(new PlanTableModel(this)), sorted(new PlanSortModel(this)), chart(new PlanChart(this))
{
    setObjectName(QStringLiteral("planWindow"));
    setWindowTitle(QStringLiteral("Beobachtungsplan"));
    setWindowIcon(starClockIcon());
    NightVision::applyToWindow(this);
    setAutoFillBackground(true);

    siteLine->setObjectName(QStringLiteral("planSiteLine"));
    clockLine->setObjectName(QStringLiteral("planClockLine"));
    clockLine->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    nightLine->setObjectName(QStringLiteral("planNightLine"));
    moonLine->setObjectName(QStringLiteral("planMoonLine"));
    noteLine->setObjectName(QStringLiteral("planNoteLine"));
    noteLine->setWordWrap(true);
    // A note naming a long path must not widen the window; it wraps or is cut.
    noteLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    QPalette notePalette = noteLine->palette();
    notePalette.setColor(QPalette::WindowText, NEAR_MERIDIAN_TEXT);
    noteLine->setPalette(notePalette);
    noteLine->hide();

    sorted->setSourceModel(model);
    view->setObjectName(QStringLiteral("planTable"));
    view->setItemDelegate(new PlanCellDelegate(view));
    view->setModel(sorted);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView *header = view->horizontalHeader();
    header->setHighlightSections(false);
    // Fusion shades header sections with translucent white, which turns the red pink, and
    // paints the header light past the last column.
    header->setStyleSheet(
        QStringLiteral("QHeaderView { background-color: black; } "
                       "QHeaderView::section { background-color: rgb(128, 0, 0); color: black; "
                       "border: none; border-right: 1px solid rgb(64, 0, 0); "
                       "padding: 1px 4px; }"));
    // No stretch: a stretched last column keeps at least the default width and needs scrolling
    // where its text would fit.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    // A click sorts up, a second down, a third gives the meridian queue back.
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    view->setSortingEnabled(true);
    chart->setFocusPolicy(Qt::NoFocus);

    auto *headerRow = new QHBoxLayout;
    headerRow->addWidget(siteLine, 1);
    headerRow->addSpacing(12);
    headerRow->addWidget(clockLine);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(headerRow);
    layout->addWidget(nightLine);
    layout->addWidget(moonLine);
    layout->addWidget(noteLine);
    layout->addWidget(view, 3);
    layout->addWidget(chart, 2);
    setFocusProxy(view);
    view->setFocus();

    // Enter and a double-click both activate a row.
    connect(view, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        const QModelIndex source = sorted->mapToSource(index);
        if (source.isValid() && source.row() < model->rows().size())
            emit objectChosen(model->rows().at(source.row()).name);
    });
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PlanWindow::showSelectedInChart);
    // Rows that say why they are empty keep their joined cells wherever a sort puts them.
    connect(sorted, &QAbstractItemModel::layoutChanged, this, &PlanWindow::updateSpans);
    connect(sorted, &QAbstractItemModel::modelReset, this, &PlanWindow::updateSpans);
    auto *closeByEscape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeByEscape, &QShortcut::activated, this, &QWidget::close);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &PlanWindow::helpRequested);
    // Full screen hides the window manager's bright title bar and borders at night.
    auto *fullScreen = new QShortcut(QKeySequence(Qt::Key_F11), this);
    connect(fullScreen, &QShortcut::activated, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { showTableMenu(view->viewport()->mapToGlobal(at)); });
    for (const QKeySequence &keys :
         {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto *menuKey = new QShortcut(keys, view, nullptr, nullptr, Qt::WidgetShortcut);
        connect(menuKey, &QShortcut::activated, this, [this] {
            const QRect cell = view->visualRect(view->currentIndex());
            const QPoint at = cell.isValid() ? cell.bottomLeft() : QPoint(0, 0);
            showTableMenu(view->viewport()->mapToGlobal(at));
        });
    }

    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &PlanWindow::refresh);
    resize(760, 640);
}

PlanWindow::~PlanWindow() = default;

double PlanWindow::queueHours(const PlanRow &row)
{
    return row.eastWestHours >= NEAR_MERIDIAN_HOURS ? row.eastWestHours - astro::HOURS_PER_DAY
                                                    : row.eastWestHours;
}

QMenu *PlanWindow::createTableMenu()
{
    // A popup of this window, so it takes the night colours.
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("planTableMenu"));
    QAction *choose = menu->addAction(QStringLiteral("Objekt im Hauptfenster wählen\tEnter"));
    choose->setObjectName(QStringLiteral("chooseObject"));
    choose->setEnabled(view->currentIndex().isValid());
    connect(choose, &QAction::triggered, this, [this] {
        if (view->currentIndex().isValid())
            emit view->activated(view->currentIndex());
    });
    QAction *queue = menu->addAction(QStringLiteral("Nach nächstem Meridiandurchgang ordnen"));
    queue->setObjectName(QStringLiteral("meridianQueue"));
    queue->setEnabled(view->horizontalHeader()->sortIndicatorSection() >= 0);
    connect(queue, &QAction::triggered, this,
            [this] { view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder); });
    menu->addSeparator();
    QAction *fullScreen = menu->addAction(QStringLiteral("Vollbild\tF11"));
    fullScreen->setObjectName(QStringLiteral("fullScreen"));
    fullScreen->setCheckable(true);
    fullScreen->setChecked(isFullScreen());
    connect(fullScreen, &QAction::triggered, this,
            [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });
    QAction *help = menu->addAction(QStringLiteral("Hilfe\tF1"));
    help->setObjectName(QStringLiteral("help"));
    connect(help, &QAction::triggered, this, &PlanWindow::helpRequested);
    return menu;
}

void PlanWindow::showTableMenu(const QPoint &globalPosition)
{
    QMenu *menu = createTableMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

QList<int> PlanWindow::measureColumns() const
{
    const QHeaderView *header = view->horizontalHeader();
    const int grid = view->showGrid() ? 1 : 0;
    // As many rows as the header itself measures, so a list of thousands opens at once.
    const int precision = header->resizeContentsPrecision();
    const int rows = precision > 0 ? std::min(sorted->rowCount(), precision) : sorted->rowCount();
    // A row within an hour of the meridian is bold: every row may become so, so each is
    // measured as it would be then.
    QFont boldFont = view->font();
    boldFont.setBold(true);
    const QFontMetrics plain(view->font());
    const QFontMetrics bold(boldFont);
    QList<int> widths;
    for (int column = 0; column < ColumnCount; ++column) {
        int widest = header->sectionSizeHint(column);
        for (int row = 0; row < rows; ++row) {
            if (view->columnSpan(row, column) != 1) // a text over several columns fits them
                continue;
            const QModelIndex index = sorted->index(row, column);
            int width = view->sizeHintForIndex(index).width() + grid;
            if (!index.data(Qt::FontRole).value<QFont>().bold()) {
                const QString text = index.data().toString();
                width += std::max(0, bold.horizontalAdvance(text) - plain.horizontalAdvance(text));
            }
            widest = std::max(widest, width);
        }
        widths.append(widest);
    }
    return widths;
}

void PlanWindow::fitColumns()
{
    const QList<int> widths = measureColumns();
    for (int column = 0; column < ColumnCount; ++column)
        view->horizontalHeader()->resizeSection(column, widths[column]);
}

int PlanWindow::widthShowingEveryColumn() const
{
    int columns = 0;
    for (const int width : measureColumns())
        columns += width;
    const QMargins margins = layout()->contentsMargins();
    return columns + 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width() +
           margins.left() + margins.right();
}

void PlanWindow::growToShowEveryColumn()
{
    const int wanted = widthShowingEveryColumn();
    if (width() >= wanted)
        return;
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int frameExtra = frame.width() - width();
    const int newWidth = std::min(wanted, area.width() - frameExtra);
    if (newWidth <= width())
        return;
    resize(newWidth, height());
    // Widened to the right; moved left where the screen ends, so the window stays whole.
    const int overhang = frame.left() + newWidth + frameExtra - (area.right() + 1);
    if (overhang > 0)
        move(std::max(area.left(), frame.left() - overhang), frame.top());
}

bool PlanWindow::showsEveryColumn() const
{
    return isVisible() && view->horizontalScrollBar()->maximum() == 0;
}

QList<PlanRow> PlanWindow::rows() const
{
    QList<PlanRow> inView;
    inView.reserve(sorted->rowCount());
    for (int row = 0; row < sorted->rowCount(); ++row)
        inView.append(model->rows().at(sorted->mapToSource(sorted->index(row, 0)).row()));
    return inView;
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
    readListPath.clear();
    listRead = true;
    listFileGone = false;
    columnsToFit = true;
    // Every column that showed keeps showing. Only in the open window: the main window sizes
    // and places it when it opens.
    widenToColumns = showsEveryColumn();
    input.records.clear();
    objects.clear();
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
    readListPath = read.path;
    input.records = read.value;
    objects = planObjects(input.records);
    nightObjects.clear();
    if (!read.longLines.isEmpty())
        listProblem = longLinesMessage(read.path, read.longLines);
    else if (read.value.isEmpty())
        listProblem = noEntriesMessage(read.path);
}

void PlanWindow::noticeListFileGone()
{
    // Deleted behind the plan's back: the rows stay and the header says so; back again, the
    // list is read anew.
    if (readListPath.isEmpty())
        return;
    const bool gone = !QFileInfo::exists(readListPath);
    if (gone == listFileGone)
        return;
    if (!gone) {
        listRead = false;
        return;
    }
    listFileGone = true;
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
    if (listRead && now.listName == readListName)
        noticeListFileGone();
    const bool newList = !listRead || now.listName != readListName;
    if (newList)
        readList(now.listName);
    if (!sitesRead)
        readSites();
    if (now.siteText != shownSiteText) {
        // Another site may fill or empty the altitude columns.
        shownSiteText = now.siteText;
        columnsToFit = true;
        widenToColumns = widenToColumns || showsEveryColumn();
    }
    input.longitudeDegrees = astro::ParseLeadingNumber(now.siteText.toStdString());
    input.latitudeDegrees = latitudeOfSite(sites, now.siteText);
    input.localTime = timeSource.currentLocalTime();
    input.daylightSaving = now.summerTime;

    // The rows move as objects pass the meridian: the selection follows its object by name,
    // and the view stays where the observer scrolled it. A list read anew selects the main
    // window's object.
    const QString selected = newList ? now.objectName : selectedObject();
    const int scrolled = view->verticalScrollBar()->value();
    QList<PlanRow> plan = computePlan(input, objects);
    // The meridian queue: what crossed within the hour first, then by the next transit.
    std::stable_sort(plan.begin(), plan.end(), [](const PlanRow &a, const PlanRow &b) {
        if (a.hasHourAngle != b.hasHourAngle)
            return a.hasHourAngle;
        return a.hasHourAngle && queueHours(a) > queueHours(b);
    });
    updateNight();
    model->setRows(plan, nightObjectsFor(plan), input.localTime.date());
    updateSpans();
    // Not every second: columns that follow every second's widths would jitter. Nor when a row
    // comes near the meridian and turns bold: every row was measured as if bold.
    if (columnsToFit) {
        fitColumns();
        columnsToFit = false;
    }
    if (widenToColumns && isVisible()) {
        growToShowEveryColumn();
        widenToColumns = false;
    }
    int selectedRow = -1;
    for (int row = 0; row < sorted->rowCount() && !selected.isEmpty(); ++row)
        if (sorted->index(row, ObjectColumn).data().toString() == selected) {
            selectedRow = row;
            break;
        }
    if (selectedRow < 0)
        view->selectionModel()->clear();
    else if (selectedRow != view->selectionModel()->currentIndex().row() ||
             !view->selectionModel()->isRowSelected(selectedRow))
        view->selectionModel()->setCurrentIndex(sorted->index(selectedRow, 0),
                                                QItemSelectionModel::ClearAndSelect |
                                                    QItemSelectionModel::Rows);
    if (newList && selectedRow >= 0)
        view->scrollTo(sorted->index(selectedRow, 0));
    else
        view->verticalScrollBar()->setValue(scrolled);
    showHeader(now, input.localTime);
    showNightLine(input.localTime);
    showSelectedInChart();
}

void PlanWindow::updateNight()
{
    if (!input.latitudeDegrees) {
        nightSummary.reset();
        nightObjects.clear();
        return;
    }
    if (nightSummary &&
        nightSummaryHolds(*nightSummary, input.longitudeDegrees, *input.latitudeDegrees,
                          input.localTime, input.daylightSaving))
        return;
    nightSummary = computeNightSummary(input.longitudeDegrees, *input.latitudeDegrees,
                                       input.localTime, input.daylightSaving);
    nightObjects.clear();
    moonLineMinute = -1;
}

QList<NightObject> PlanWindow::nightObjectsFor(const QList<PlanRow> &rows)
{
    if (!nightSummary)
        return QList<NightObject>(rows.size());
    // Rise, set and best time hold for the night; the Moon's distance moves half a degree an
    // hour, so a minute is fine enough.
    const qint64 minute =
        QDateTime(input.localTime.date(), input.localTime.time(), Qt::UTC).toSecsSinceEpoch() / 60;
    QList<NightObject> objects;
    objects.reserve(rows.size());
    bool complete = minute == nightObjectsMinute;
    for (qsizetype i = 0; complete && i < rows.size(); ++i) {
        const PlanRow &row = rows[i];
        const NightObject *found = nullptr;
        // By name, then by coordinates: a list may hold a name twice.
        const auto named = nightObjects.constFind(row.name);
        if (named != nightObjects.cend())
            for (const CachedNight &cached : *named)
                if (cached.rightAscension == row.rightAscensionText &&
                    cached.declination == row.declinationText) {
                    found = &cached.night;
                    break;
                }
        complete = found != nullptr;
        if (found)
            objects.append(*found);
    }
    if (complete)
        return objects;
    objects = computeNightObjects(*nightSummary, input, rows);
    nightObjects.clear();
    for (qsizetype i = 0; i < rows.size(); ++i)
        nightObjects[rows[i].name].append(
            {rows[i].rightAscensionText, rows[i].declinationText, objects.value(i)});
    nightObjectsMinute = minute;
    return objects;
}

void PlanWindow::showNightLine(const QDateTime &localTime)
{
    if (!nightSummary) {
        nightLine->setText(
            QStringLiteral("Sonne und Mond: ohne die Breite des Standorts nicht berechnet"));
        moonLine->setText({});
        moonLine->hide();
        return;
    }
    if (moonLine->isHidden())
        moonLine->show();
    const NightSummary &night = *nightSummary;
    const QDate today = localTime.date();
    QString darkness;
    if (night.darknessStart && night.darknessEnd)
        darkness = (night.darknessKind == astro::Darkness::Nautical
                        ? QStringLiteral("dunkel (nur nautisch) ")
                        : QStringLiteral("dunkel ")) +
                   dayTimeText(*night.darknessStart, today, MINUTES) + QStringLiteral(" bis ") +
                   dayTimeText(*night.darknessEnd, today, MINUTES);
    else
        darkness = night.darknessReason.isEmpty() ? QStringLiteral("keine Dunkelheit")
                                                  : night.darknessReason;
    nightLine->setText(QStringLiteral("Sonnenuntergang ") + eventText(night.sunset, today) +
                       QStringLiteral(" · ") + darkness + QStringLiteral(" · Sonnenaufgang ") +
                       eventText(night.sunrise, today));
    // The Moon's phase moves a percent in hours: its position is worked out once a minute.
    const qint64 minute =
        QDateTime(localTime.date(), localTime.time(), Qt::UTC).toSecsSinceEpoch() / 60;
    if (minute == moonLineMinute && !moonLine->text().isEmpty())
        return;
    moonLineMinute = minute;
    const MoonNow moon = moonAt(night, localTime);
    moonLine->setText(QStringLiteral("Mond: ") +
                      QString::number(std::lround(moon.illuminatedPercent)) +
                      QStringLiteral(" % beleuchtet, ") +
                      (moon.waxing ? QStringLiteral("zunehmend") : QStringLiteral("abnehmend")) +
                      QStringLiteral(" · Mondaufgang ") + eventText(night.moonrise, today) +
                      QStringLiteral(" · Monduntergang ") + eventText(night.moonset, today));
}

void PlanWindow::updateSpans()
{
    QList<int> reasons;
    for (int row = 0; row < sorted->rowCount(); ++row) {
        const int source = sorted->mapToSource(sorted->index(row, 0)).row();
        if (source >= 0 && source < model->rows().size() && !model->rows().at(source).position)
            reasons.append(row);
    }
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
                      (now.listName.isEmpty() ? QStringLiteral("–") : now.listName));
    clockLine->setText(QStringLiteral("Ortszeit: ") + DateTimeText(localTime, QLocale()));
    clockLine->setFixedWidth(std::max(clockLine->width(), clockLine->sizeHint().width()));

    QStringList notes;
    // Read on every refresh: a zone change shows at once, not at the next minute.
    const int utcOffset = timeSource.currentUtcOffsetSeconds();
    if (summerTimeDisagrees(now.summerTime, utcOffset))
        notes.append(summerTimeWarning(now.summerTime, utcOffset));
    if (listFileGone)
        notes.append(fileProblemMessage(FileState::Missing, readListPath, readListName) +
                     QStringLiteral(" Die Tabelle zeigt die Liste, wie sie zuletzt gelesen "
                                    "wurde."));
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
    if (noteLine->isVisibleTo(this) != !noteText.isEmpty())
        noteLine->setVisible(!noteText.isEmpty());
}

QString PlanWindow::headerText() const
{
    QString lines =
        siteLine->text() + QStringLiteral("   ") + clockLine->text() + u'\n' + nightLine->text();
    if (!moonLine->text().isEmpty())
        lines += u'\n' + moonLine->text();
    return noteLine->text().isEmpty() ? lines : lines + u'\n' + noteLine->text();
}

void PlanWindow::selectObject(const QString &name)
{
    for (int row = 0; row < sorted->rowCount(); ++row)
        if (sorted->index(row, ObjectColumn).data().toString() == name) {
            const QModelIndex index = sorted->index(row, 0);
            view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
            view->scrollTo(index);
            return;
        }
}

QString PlanWindow::selectedObject() const
{
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return {};
    return selected.constFirst().data().toString();
}

void PlanWindow::showSelectedInChart()
{
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    const QModelIndex source =
        selected.isEmpty() ? QModelIndex() : sorted->mapToSource(selected.constFirst());
    if (!source.isValid() || source.row() >= model->rows().size()) {
        chart->clear();
        return;
    }
    chart->showObject(input, model->rows().at(source.row()),
                      nightSummary ? &*nightSummary : nullptr);
}
