// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clock/clockpause.h"
#include "clock/timesource.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/messagepresenter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>
#include <QStringList>

#include <cerrno>
#include <functional>

/// A clock that stands still unless the test moves it; counts its readings.
class FakeTimeSource : public TimeSource
{
public:
    QDateTime now{QDate(2026, 12, 8), QTime(23, 30, 0)};
    int readings = 0;

    /// The system's UTC offset the test pretends; central European winter time unless set.
    int utcOffsetSeconds = 3600;

    QDateTime currentLocalTime() override
    {
        ++readings;
        return now;
    }
    int currentUtcOffsetSeconds() override { return utcOffsetSeconds; }
};

/// A pause that only processes pending events and then runs the test's script,
/// so a running clock never waits for real time.
class ScriptedPause : public ClockPause
{
public:
    int waits = 0;
    /// Called with the number of the wait (1, 2, ...) inside each wait.
    std::function<void(int)> script;
    bool interrupted = false;

    bool waitForNextSecond() override
    {
        const int number = ++waits;
        QCoreApplication::processEvents();
        if (script)
            script(number);
        if (waits > 1000) // a runaway clock must fail the test, not hang it
            return false;
        return !interrupted;
    }
    void interrupt() override { interrupted = true; }
};

/// Records messages and questions instead of showing a box that would block the test; every
/// question gets the answer the test set.
class RecordingMessages : public MessagePresenter
{
public:
    QStringList shown;
    QStringList asked;
    bool answer = true;
    void showMessage(QWidget *, const QString &text) override { shown.append(text); }
    bool askYesNo(QWidget *, const QString &question) override
    {
        asked.append(question);
        return answer;
    }
};

/// Everything a test main window needs, reading its data files from dataFolder.
struct FakeServices
{
    FakeTimeSource time;
    ScriptedPause pause;
    RecordingMessages messages;

    /// Saves break off halfway and fail while set.
    bool savesBreakOff = false;
    /// errno left by a save that breaks off.
    int saveErrorNumber = 0;

    Form1Services forFolder(const QString &dataFolder)
    {
        return {&time, &pause, &messages, dataFolder,
                [this](QIODevice &device, const QByteArray &bytes) {
                    if (!savesBreakOff)
                        return writeAllBytes(device, bytes);
                    device.write(bytes.left(bytes.size() / 2));
                    errno = saveErrorNumber;
                    return false;
                }};
    }
};
