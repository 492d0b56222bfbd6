// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/planchart.h"

#include "ui/nightvision.h"

#include <QPainter>

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
}
