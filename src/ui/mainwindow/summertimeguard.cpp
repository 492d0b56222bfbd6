// SPDX-License-Identifier: GPL-3.0-or-later
#include "summertimeguard.h"

#include "clock/observingplan.h"
#include "clock/timesource.h"

#include <QCheckBox>

SummerTimeGuard::SummerTimeGuard(QCheckBox *box, TimeSource &timeSource)
    : QObject(box), box(box), timeSource(timeSource)
{
    if (summerTimeForUtcOffset(timeSource.currentUtcOffsetSeconds()).value_or(false))
        box->setChecked(true);
    check();
    connect(box, &QCheckBox::toggled, this, &SummerTimeGuard::check);
    recheck.setInterval(60 * 1000);
    recheck.setTimerType(Qt::VeryCoarseTimer);
    connect(&recheck, &QTimer::timeout, this, &SummerTimeGuard::check);
    recheck.start();
}

void SummerTimeGuard::check()
{
    const int offset = timeSource.currentUtcOffsetSeconds();
    const bool ticked = box->checkState() != Qt::Unchecked;
    if (checked == std::pair(offset, ticked))
        return;
    checked = std::pair(offset, ticked);
    const bool disagrees = summerTimeDisagrees(ticked, offset);
    const QString caption = disagrees ? markedCaption() : plainCaption();
    if (box->text() != caption)
        box->setText(caption);
    const QString tip = disagrees ? summerTimeWarning(ticked, offset) : QString();
    if (box->toolTip() != tip)
        box->setToolTip(tip);
}
