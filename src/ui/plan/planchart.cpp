// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plan/planchart.h"

#include "astro/horizon.h"
#include "ui/shared/nightvision.h"

#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace {

using astro::SECONDS_PER_HOUR;
using astro::SIDEREAL_PER_CIVIL;

const QColor gridRed(56, 0, 0);
const QColor belowHorizonRed(22, 0, 0);
const QColor markRed(128, 0, 0);
// The Sun's height in red tones: day brightest, then civil, nautical and astronomical twilight;
// darkness stays black.
const QColor dayRed(64, 0, 0);
const QColor civilRed(44, 0, 0);
const QColor nauticalRed(28, 0, 0);
const QColor astronomicalRed(14, 0, 0);
const QColor moonRed(160, 0, 0);

QColor skyColour(double sunAltitudeDegrees)
{
    if (sunAltitudeDegrees >= -0.8333)
        return dayRed;
    if (sunAltitudeDegrees >= -6)
        return civilRed;
    if (sunAltitudeDegrees >= -12)
        return nauticalRed;
    if (sunAltitudeDegrees >= -18)
        return astronomicalRed;
    return NightVision::background;
}

// Room for the scale on the left, the hours and the axis title below, the title and the marks
// of "now" and the transits above, in pixels.
constexpr int LEFT_MARGIN = 44;
constexpr int RIGHT_MARGIN = 10;
constexpr int TITLE_HEIGHT = 20;
constexpr int MARKS_HEIGHT = 18;
constexpr int TOP_MARGIN = TITLE_HEIGHT + MARKS_HEIGHT;
constexpr int BOTTOM_MARGIN = 36;

// Altitudes shown: most of the height for the sky above the horizon.
constexpr double LOWEST_ALTITUDE = -30;
constexpr double HIGHEST_ALTITUDE = 90;

QRectF plotArea(const QRect &widget)
{
    return QRectF(widget).adjusted(LEFT_MARGIN, TOP_MARGIN, -RIGHT_MARGIN, -BOTTOM_MARGIN);
}

/// True when no piece of the curves runs through rect.
bool isClearOf(const QRectF &rect, const QList<QPolygonF> &curves)
{
    const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                            {rect.topRight(), rect.bottomRight()},
                            {rect.bottomRight(), rect.bottomLeft()},
                            {rect.bottomLeft(), rect.topLeft()}};
    for (const QPolygonF &curve : curves)
        for (qsizetype i = 0; i < curve.size(); ++i) {
            if (rect.contains(curve[i]))
                return false;
            if (i == 0)
                continue;
            const QLineF piece(curve[i - 1], curve[i]);
            for (const QLineF &edge : edges)
                if (piece.intersects(edge, nullptr) == QLineF::BoundedIntersection)
                    return false;
        }
    return true;
}

struct Scale
{
    QRectF plot;
    double lowest, highest;

    double x(double hoursFromNow) const
    {
        const double span = PlanChartCurve::HOURS_BEFORE_NOW + PlanChartCurve::HOURS_AFTER_NOW;
        return plot.left() +
               (hoursFromNow + PlanChartCurve::HOURS_BEFORE_NOW) / span * plot.width();
    }
    double y(double value) const
    {
        return plot.bottom() - (value - lowest) / (highest - lowest) * plot.height();
    }
};

} // namespace

PlanChartCurve planChartCurve(const PlanInput &input, const PlanRow &row, int samples)
{
    PlanChartCurve curve;
    if (!row.hasHourAngle || samples < 2)
        return curve;
    curve.altitude = input.latitudeDegrees && row.declinationDegrees;

    // Transits repeat every sidereal day, which is this many civil hours.
    const double siderealDayHours = astro::HOURS_PER_DAY / SIDEREAL_PER_CIVIL;
    double transit = double(row.secondsToTransit) / SECONDS_PER_HOUR;
    while (transit - siderealDayHours >= -PlanChartCurve::HOURS_BEFORE_NOW)
        transit -= siderealDayHours;
    for (; transit <= PlanChartCurve::HOURS_AFTER_NOW; transit += siderealDayHours)
        curve.transitHours.append(transit);

    const double span = PlanChartCurve::HOURS_BEFORE_NOW + PlanChartCurve::HOURS_AFTER_NOW;
    curve.points.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        const double hoursFromNow = -PlanChartCurve::HOURS_BEFORE_NOW + span * i / (samples - 1);
        const double hourAngle = row.hourAngleHours + hoursFromNow * SIDEREAL_PER_CIVIL;
        const double value =
            curve.altitude ? astro::HorizontalFromHourAngle(*input.latitudeDegrees,
                                                            *row.declinationDegrees, hourAngle)
                                 .altitudeDegrees
                           : astro::EastWestHourAngleHours(hourAngle);
        curve.points.append({hoursFromNow, value});
    }
    return curve;
}

PlanChart::PlanChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("planChart"));
    setMinimumSize(240, 120);
}

int PlanChart::secondsPerPixel() const
{
    const double span = PlanChartCurve::HOURS_BEFORE_NOW + PlanChartCurve::HOURS_AFTER_NOW;
    const double width = std::max(1.0, plotArea(rect()).width());
    return std::max(1, int(std::floor(span * SECONDS_PER_HOUR / width)));
}

QString PlanChart::pictureKey(const PlanInput &forInput, const PlanRow &forRow,
                              const NightSummary *forNight) const
{
    const QDateTime wallClock(forInput.localTime.date(), forInput.localTime.time(), Qt::UTC);
    const qint64 step = secondsPerPixel();
    const qint64 at = wallClock.toSecsSinceEpoch();
    return QStringList{
        forRow.name,
        forRow.rightAscensionText,
        forRow.declinationText,
        forRow.emptyReason,
        QString::number(forInput.longitudeDegrees, 'g', 12),
        forInput.latitudeDegrees ? QString::number(*forInput.latitudeDegrees, 'g', 12) : QString(),
        QString::number(forInput.daylightSaving),
        QString::number(at - ((at % step) + step) % step),
        forNight ? forNight->nightStart.toString(Qt::ISODate) : QString()}
        .join(u'\n');
}

void PlanChart::showObject(const PlanInput &newInput, const PlanRow &newRow,
                           const NightSummary *newNight)
{
    input = newInput;
    row = newRow;
    const QString key = pictureKey(newInput, newRow, newNight);
    if (key != shownKey) {
        if (newNight)
            night = *newNight;
        else
            night.reset();
    }
    if (key == shownKey)
        return;
    shownKey = key;
    update();
}

void PlanChart::clear()
{
    const bool shown = row.has_value() || shownKey.isEmpty();
    input.reset();
    row.reset();
    night.reset();
    shownKey = QStringLiteral("-");
    if (shown)
        update();
}

QString PlanChart::hintText()
{
    return QStringLiteral("Eine Zeile der Tabelle wählen: hier erscheint die Nacht des Objekts.");
}

QSize PlanChart::sizeHint() const
{
    return {480, 200};
}

void PlanChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), NightVision::background);
    painter.setFont(font());
    const QRectF plot = plotArea(rect());
    painter.setPen(gridRed);
    painter.drawRect(plot);
    if (!input || !row) {
        painter.setPen(markRed);
        painter.drawText(plot.adjusted(8, 0, -8, 0), Qt::AlignCenter | Qt::TextWordWrap,
                         hintText());
        return;
    }
    if (plot.width() < 2 || plot.height() < 2)
        return;

    // "Now" rounded down to the pixel, so the picture changes only when a pixel does.
    PlanInput shownInput = *input;
    PlanRow shownRow = *row;
    {
        const QDateTime wallClock(input->localTime.date(), input->localTime.time(), Qt::UTC);
        const qint64 step = secondsPerPixel();
        const qint64 lag = ((wallClock.toSecsSinceEpoch() % step) + step) % step;
        shownInput.localTime = input->localTime.addSecs(-lag);
        shownRow.hourAngleHours -= lag / SECONDS_PER_HOUR * SIDEREAL_PER_CIVIL;
        shownRow.secondsToTransit += lag;
    }
    const PlanChartCurve curve = planChartCurve(shownInput, shownRow, int(plot.width()) / 2 + 2);
    const QString title =
        row->hasHourAngle ? row->name + (curve.altitude ? QStringLiteral(": Höhe über dem Horizont")
                                                        : QStringLiteral(": Stundenwinkel"))
                          : row->name;
    painter.setPen(NightVision::text);
    QString reason = curve.altitude ? QString() : row->emptyReason;
    if (night && night->sky && curve.altitude)
        reason = QStringLiteral("gestrichelt: der Mond");
    painter.drawText(QRectF(plot.left(), 0, plot.width(), TITLE_HEIGHT),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     reason.isEmpty() ? title : title + QStringLiteral(" (") + reason + u')');
    if (!row->hasHourAngle)
        return;

    const Scale scale{plot, curve.altitude ? LOWEST_ALTITUDE : -12.0,
                      curve.altitude ? HIGHEST_ALTITUDE : 12.0};
    const double step = curve.altitude ? 30.0 : 6.0;
    const QString unit = curve.altitude ? QStringLiteral("°") : QStringLiteral(" h");

    // Unix seconds of a time on the chart, read as the summary's local civil time.
    const double nowUtc =
        double(QDateTime(shownInput.localTime.date(), shownInput.localTime.time(), Qt::UTC)
                   .toSecsSinceEpoch()) -
        (shownInput.daylightSaving ? 7200.0 : 3600.0);
    const bool withNight = night && night->sky && curve.altitude;
    if (withNight) {
        // Day, twilight and darkness as bands of time, a few pixels each.
        const astro::Site site{night->longitudeDegrees, night->latitudeDegrees};
        const int band = 3;
        for (double x = plot.left() + 1; x < plot.right() - 1; x += band) {
            const double hours =
                (x + band / 2.0 - plot.left()) / plot.width() *
                    (PlanChartCurve::HOURS_BEFORE_NOW + PlanChartCurve::HOURS_AFTER_NOW) -
                PlanChartCurve::HOURS_BEFORE_NOW;
            const QColor sky =
                skyColour(night->sky->sunAltitudeDegrees(nowUtc + hours * SECONDS_PER_HOUR, site));
            if (sky != NightVision::background)
                painter.fillRect(QRectF(x, plot.top() + 1,
                                        std::min<double>(band, plot.right() - 1 - x),
                                        plot.height() - 2),
                                 sky);
        }
    }
    if (curve.altitude)
        painter.fillRect(QRectF(QPointF(plot.left() + 1, scale.y(0)),
                                QPointF(plot.right() - 1, plot.bottom() - 1)),
                         withNight ? QColor(0, 0, 0, 150) : belowHorizonRed);

    // The value scale, with the horizon or the meridian drawn stronger.
    for (double value = scale.lowest; value <= scale.highest; value += step) {
        const double y = scale.y(value);
        painter.setPen(value == 0 ? markRed : gridRed);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(markRed);
        painter.drawText(QRectF(0, y - 10, LEFT_MARGIN - 4, 20), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value) + unit);
    }

    // Full hours of the main window's local clock along the bottom, titled below.
    const QTime now = shownInput.localTime.time();
    const double hoursPastFull = now.minute() / 60.0 + now.second() / SECONDS_PER_HOUR;
    const int labelEvery = plot.width() < 360 ? 3 : 2;
    for (int hour = -int(PlanChartCurve::HOURS_BEFORE_NOW);
         hour <= int(PlanChartCurve::HOURS_AFTER_NOW) + 1; ++hour) {
        const double x = scale.x(hour - hoursPastFull);
        if (x < plot.left() || x > plot.right())
            continue;
        const int clockHour = ((now.hour() + hour) % 24 + 24) % 24;
        painter.setPen(gridRed);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        if (clockHour % labelEvery == 0) {
            painter.setPen(markRed);
            painter.drawText(QRectF(x - 20, plot.bottom() + 4, 40, 16),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(clockHour));
        }
    }
    painter.setPen(markRed);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 19, plot.width(), 16),
                     Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Ortszeit (Stunden)"));

    // The curve in pixels; without a latitude the hour angle wraps from +12 h to -12 h, and
    // the line breaks there.
    QList<QPolygonF> pieces;
    for (qsizetype i = 0; i < curve.points.size(); ++i) {
        const QPointF at(scale.x(curve.points[i].x()), scale.y(curve.points[i].y()));
        if (i == 0 || std::abs(curve.points[i].y() - curve.points[i - 1].y()) > 12)
            pieces.append(QPolygonF());
        pieces.last().append(at);
    }

    painter.save();
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const double transit : curve.transitHours) {
        painter.setPen(QPen(markRed, 1, Qt::DashLine));
        painter.drawLine(QPointF(scale.x(transit), plot.top()),
                         QPointF(scale.x(transit), plot.bottom()));
    }
    if (withNight) {
        QPolygonF moon;
        const int samples = int(plot.width()) / 4 + 2;
        const QDateTime wallNow(shownInput.localTime.date(), shownInput.localTime.time(), Qt::UTC);
        for (int i = 0; i < samples; ++i) {
            const double hours =
                -PlanChartCurve::HOURS_BEFORE_NOW +
                (PlanChartCurve::HOURS_BEFORE_NOW + PlanChartCurve::HOURS_AFTER_NOW) * i /
                    (samples - 1);
            const MoonNow at = moonAt(*night, wallNow.addSecs(qint64(hours * SECONDS_PER_HOUR)));
            moon.append(QPointF(scale.x(hours), scale.y(at.altitudeDegrees)));
        }
        // Sharp, so its dashes keep their own colour beside the object's smooth curve.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(moonRed, 2, Qt::DashLine));
        painter.drawPolyline(moon);
        painter.setRenderHint(QPainter::Antialiasing);
        pieces.append(moon);
    }
    painter.setPen(QPen(NightVision::text, 2));
    for (const QPolygonF &piece : pieces.mid(0, withNight ? pieces.size() - 1 : pieces.size()))
        painter.drawPolyline(piece);
    painter.setPen(QPen(NightVision::text, 1));
    painter.drawLine(QPointF(scale.x(0), plot.top()), QPointF(scale.x(0), plot.bottom()));
    painter.restore();

    // The horizon's (or meridian's) name where the curve leaves room: left, middle or right,
    // above the line, then below it; left out when the curve crosses every place.
    const QString lineName =
        curve.altitude ? QStringLiteral("Horizont") : QStringLiteral("Meridian");
    const double nameWidth = painter.fontMetrics().horizontalAdvance(lineName) + 6;
    const double nameHeight = painter.fontMetrics().height();
    for (const double above : {1.0, 0.0}) {
        bool placed = false;
        for (const double share : {0.0, 0.5, 1.0}) {
            const double left = plot.left() + 4 + share * (plot.width() - nameWidth - 8);
            const double top = above ? scale.y(0) - nameHeight - 1 : scale.y(0) + 2;
            const QRectF place(left, top, nameWidth, nameHeight);
            if (plot.contains(place) && isClearOf(place.adjusted(-2, -2, 2, 2), pieces) &&
                std::abs(place.center().x() - scale.x(0)) > nameWidth / 2 + 4) {
                painter.setPen(markRed);
                painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, lineName);
                placed = true;
                break;
            }
        }
        if (placed)
            break;
    }

    // "jetzt" and the transits are named above the picture, where no curve runs.
    const QRectF marks(plot.left(), TITLE_HEIGHT, plot.width(), MARKS_HEIGHT);
    const double nowX = scale.x(0);
    const double nowWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("jetzt")) + 4;
    // Right of its line, unless the edge or a transit just after now wants that room.
    bool nowLeft = nowX + nowWidth + 3 > marks.right();
    for (const double transit : curve.transitHours)
        if (scale.x(transit) > nowX && scale.x(transit) < nowX + nowWidth + 6)
            nowLeft = true;
    const QRectF nowLabel(nowLeft ? nowX - nowWidth - 3 : nowX + 3, marks.top(), nowWidth,
                          marks.height());
    painter.setPen(NightVision::text);
    painter.drawText(nowLabel, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("jetzt"));
    painter.setPen(markRed);
    // The local clock read as a wall clock, as the plan's transit column reads it.
    const QDateTime wallClock(shownInput.localTime.date(), shownInput.localTime.time(), Qt::UTC);
    for (const double transit : curve.transitHours) {
        const QString label = QStringLiteral("Durchgang ") +
                              wallClock.addSecs(qint64(std::lround(transit * SECONDS_PER_HOUR)))
                                  .toString(QStringLiteral("HH:mm"));
        const double width = painter.fontMetrics().horizontalAdvance(label) + 6;
        const double x = scale.x(transit);
        // Right of its line, or left of it near the right edge or where "jetzt" stands.
        QRectF place(x + 3, marks.top(), width, marks.height());
        if (place.right() > marks.right() || place.intersects(nowLabel))
            place.moveRight(x - 3);
        if (place.left() < marks.left() || place.intersects(nowLabel))
            continue;
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, label);
    }
}
