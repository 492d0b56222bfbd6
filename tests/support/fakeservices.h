#pragma once

#include "clock/clockpause.h"
#include "clock/timesource.h"
#include "ui/form1.h"
#include "ui/messagepresenter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>
#include <QStringList>

#include <functional>

/// A clock that stands still unless the test moves it; counts its readings.
class FakeTimeSource : public TimeSource
{
public:
    QDateTime now{QDate(2026, 12, 8), QTime(23, 30, 0)};
    int readings = 0;

    QDateTime currentLocalTime() override
    {
        ++readings;
        return now;
    }
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

/// Records messages instead of showing a box that would block the test.
class RecordingMessages : public MessagePresenter
{
public:
    QStringList shown;
    void showMessage(QWidget *, const QString &text) override { shown.append(text); }
};

/// Everything a test main window needs, reading its data files from dataFolder.
struct FakeServices
{
    FakeTimeSource time;
    ScriptedPause pause;
    RecordingMessages messages;

    /// Saves break off halfway and fail while set.
    bool savesBreakOff = false;

    Form1Services forFolder(const QString &dataFolder)
    {
        return {&time, &pause, &messages, dataFolder,
                [this](QIODevice &device, const QByteArray &bytes) {
                    if (!savesBreakOff)
                        return writeAllBytes(device, bytes);
                    device.write(bytes.left(bytes.size() / 2));
                    return false;
                }};
    }
};
