// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/nightplan.h"
#include "clock/observingplan.h"

#include <QList>
#include <QPointF>
#include <QWidget>

#include <optional>

/// What the night picture of one object plots, over the hours from HOURS_BEFORE_NOW before
/// now to HOURS_AFTER_NOW after it.
struct PlanChartCurve
{
    static constexpr double HOURS_BEFORE_NOW = 6;
    static constexpr double HOURS_AFTER_NOW = 18;

    /// True: y is the altitude in degrees; false (no latitude or declination): y is the hour
    /// angle east or west in hours, negative east.
    bool altitude = false;
    /// x: civil hours from now; y: as above. Empty when the record has no hour angle.
    QList<QPointF> points;
    /// Civil hours from now of every upper transit within the span.
    QList<double> transitHours;
};

/// The curve for row, computed from input, with samples points spread evenly over the span.
PlanChartCurve planChartCurve(const PlanInput &input, const PlanRow &row, int samples);

/// The night of one object, drawn red on black: its altitude over the hours around now (its
/// hour angle when the site's latitude is unknown), with the meridian transit, the horizon and
/// "now" marked, day and twilight shaded in red tones and the Moon's altitude dashed.
class PlanChart : public QWidget
{
    Q_OBJECT
public:
    explicit PlanChart(QWidget *parent = nullptr);

    /// Draws row, computed from input; called again on every refresh of the plan, it repaints
    /// only when the picture changes: "now" moves a pixel every few minutes.
    /// night: the Sun and the Moon of the site's night, for the shading of day and twilight and
    /// the Moon's curve; none without a latitude.
    void showObject(const PlanInput &input, const PlanRow &row,
                    const NightSummary *night = nullptr);
    /// Nothing chosen: the chart shows its frame and a line saying how to fill it.
    void clear();

    /// True while nothing is chosen.
    bool isEmpty() const { return !row.has_value(); }
    /// The line shown while nothing is chosen.
    static QString hintText();
    /// Civil seconds per pixel of the time axis at the chart's present size.
    int secondsPerPixel() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// What decides the picture beyond the widget's size: the object, the site, the flag and
    /// "now" rounded down to the pixel.
    QString pictureKey(const PlanInput &input, const PlanRow &row, const NightSummary *night) const;

    std::optional<PlanInput> input;
    std::optional<PlanRow> row;
    std::optional<NightSummary> night;
    QString shownKey;
};
