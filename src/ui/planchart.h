// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/observingplan.h"

#include <QWidget>

#include <optional>

/// The night of one object, drawn red on black: its altitude over the hours around now (its
/// hour angle when the site's latitude is unknown), with the meridian transit, the horizon and
/// "now" marked.
class PlanChart : public QWidget
{
    Q_OBJECT
public:
    explicit PlanChart(QWidget *parent = nullptr);

    /// Draws row, computed from input; called again on every refresh of the plan.
    void showObject(const PlanInput &input, const PlanRow &row);
    /// Nothing chosen: the chart shows only its frame.
    void clear();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<PlanInput> input;
    std::optional<PlanRow> row;
};
