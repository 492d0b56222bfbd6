// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <utility>

class QCheckBox;
class TimeSource;

/// Keeps the "Sommerzeit" box honest: ticks it at start when the system runs on central
/// European summer time (UTC+2), leaves it unticked on UTC+1 or any other offset, and marks its
/// caption while the box and the system's present UTC offset disagree. The clock still reads
/// only the box.
class SummerTimeGuard : public QObject
{
    Q_OBJECT
public:
    SummerTimeGuard(QCheckBox *box, TimeSource &timeSource);

    /// The caption the box shows while it agrees, and the marked one.
    static QString plainCaption() { return QStringLiteral("Sommerzeit"); }
    static QString markedCaption() { return QStringLiteral("Sommerzeit (!)"); }

    /// Compares the box with the system's offset now and marks or clears the caption. Cheap
    /// enough for every pass of the running clock: it touches the box only on a change.
    void check();

    /// The once-a-minute check that finds the change while the clock stands.
    const QTimer &recheckTimer() const { return recheck; }

private:
    QCheckBox *box;
    TimeSource &timeSource;
    /// The offset changes twice a year; once a minute finds the change without costing anything.
    QTimer recheck;
    /// The offset and the box at the last check: the warning is worded only when they change.
    std::optional<std::pair<int, bool>> checked;
};
