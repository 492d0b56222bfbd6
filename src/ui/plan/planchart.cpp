// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/plan/planchart.h"

#include "astro/horizon.h"
#include "ui/shared/nightvision.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

using astro::SECONDS_PER_HOUR;
using astro::SIDEREAL_PER_CIVIL;

const QColor gridRed(56, 0, 0);
const QColor belowHorizonRed(22, 0, 0);
const QColor markRed(128, 0, 0);

// Room for the scale on the left, the hours below and the title above, in pixels.
constexpr int LEFT_MARGIN = 44;
constexpr int RIGHT_MARGIN = 10;
constexpr int TOP_MARGIN = 22;
constexpr int BOTTOM_MARGIN = 22;

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

void PlanChart::showObject(const PlanInput &newInput, const PlanRow &newRow)
{
    input = newInput;
    row = newRow;
    update();
}

void PlanChart::clear()
{
    input.reset();
    row.reset();
    update();
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
    const QRectF plot =
        QRectF(rect()).adjusted(LEFT_MARGIN, TOP_MARGIN, -RIGHT_MARGIN, -BOTTOM_MARGIN);
    painter.setPen(gridRed);
    painter.drawRect(plot);
    if (!input || !row || plot.width() < 2 || plot.height() < 2)
        return;

    const PlanChartCurve curve = planChartCurve(*input, *row, int(plot.width()) / 2 + 2);
    const QString title =
        row->hasHourAngle ? row->name + (curve.altitude ? QStringLiteral(": Höhe über dem Horizont")
                                                        : QStringLiteral(": Stundenwinkel"))
                          : row->name;
    painter.setPen(NightVision::text);
    const QString reason = curve.altitude ? QString() : row->emptyReason;
    painter.drawText(QRectF(plot.left(), 0, plot.width(), TOP_MARGIN),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     reason.isEmpty() ? title : title + QStringLiteral(" (") + reason + u')');
    if (!row->hasHourAngle)
        return;

    const Scale scale{plot, curve.altitude ? -90.0 : -12.0, curve.altitude ? 90.0 : 12.0};
    const double step = curve.altitude ? 30.0 : 6.0;
    const QString unit = curve.altitude ? QStringLiteral("°") : QStringLiteral(" h");

    if (curve.altitude)
        painter.fillRect(QRectF(QPointF(plot.left() + 1, scale.y(0)),
                                QPointF(plot.right() - 1, plot.bottom() - 1)),
                         belowHorizonRed);

    // The value scale, with the horizon or the meridian drawn stronger.
    for (double value = scale.lowest; value <= scale.highest; value += step) {
        const double y = scale.y(value);
        painter.setPen(value == 0 ? markRed : gridRed);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(markRed);
        painter.drawText(QRectF(0, y - 10, LEFT_MARGIN - 4, 20), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(value) + unit);
    }
    painter.drawText(QRectF(plot.left() + 4, scale.y(0) - 18, plot.width() / 2, 16),
                     Qt::AlignLeft | Qt::AlignBottom,
                     curve.altitude ? QStringLiteral("Horizont") : QStringLiteral("Meridian"));

    // Full hours of the main window's local clock along the bottom.
    const QTime now = input->localTime.time();
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
            painter.drawText(QRectF(x - 20, plot.bottom() + 4, 40, BOTTOM_MARGIN - 4),
                             Qt::AlignHCenter | Qt::AlignTop, QString::number(clockHour));
        }
    }

    painter.save();
    painter.setClipRect(plot);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const double transit : curve.transitHours) {
        painter.setPen(QPen(markRed, 1, Qt::DashLine));
        painter.drawLine(QPointF(scale.x(transit), plot.top()),
                         QPointF(scale.x(transit), plot.bottom()));
    }
    // Without a latitude the hour angle wraps from +12 h to -12 h: the line breaks there.
    QPainterPath path;
    for (qsizetype i = 0; i < curve.points.size(); ++i) {
        const QPointF at(scale.x(curve.points[i].x()), scale.y(curve.points[i].y()));
        if (i == 0 || std::abs(curve.points[i].y() - curve.points[i - 1].y()) > 12)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    painter.setPen(QPen(NightVision::text, 2));
    painter.drawPath(path);
    painter.setPen(QPen(NightVision::text, 1));
    painter.drawLine(QPointF(scale.x(0), plot.top()), QPointF(scale.x(0), plot.bottom()));
    painter.restore();

    painter.setPen(NightVision::text);
    painter.drawText(QRectF(scale.x(0) + 3, plot.top() + 2, 80, 16), Qt::AlignLeft,
                     QStringLiteral("jetzt"));
    painter.setPen(markRed);
    // The local clock read as a wall clock, as the plan's transit column reads it.
    const QDateTime wallClock(input->localTime.date(), input->localTime.time(), Qt::UTC);
    for (const double transit : curve.transitHours) {
        const QString label = QStringLiteral("Durchgang ") +
                              wallClock.addSecs(qint64(std::lround(transit * SECONDS_PER_HOUR)))
                                  .toString(QStringLiteral("HH:mm"));
        // Low in the picture, where the curve seldom runs; near the right edge, left of the line.
        const double width = painter.fontMetrics().horizontalAdvance(label) + 6;
        const double x = scale.x(transit);
        painter.drawText(
            QRectF(x + width > plot.right() ? x - width : x + 3, plot.bottom() - 18, width, 16),
            Qt::AlignLeft, label);
    }
}
