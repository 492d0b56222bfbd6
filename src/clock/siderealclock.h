// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include <functional>

class ClockPause;
class PictureBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TimeSource;

/// The main window's controls that the clock reads and writes.
struct ClockControls
{
    QComboBox *Combo1;     ///< site text; its leading number is the longitude
    QLineEdit *Text1;      ///< right ascension, hours
    QLineEdit *Text3;      ///< right ascension, minutes
    QLineEdit *Text4;      ///< right ascension, seconds
    QCheckBox *Check1;     ///< "Sommerzeit"
    PictureBox *Picture1;  ///< Greenwich date-time
    PictureBox *Picture2;  ///< local sidereal time
    PictureBox *Picture3;  ///< hour angle
    PictureBox *Picture4;  ///< local date-time
    QPushButton *Command4; ///< "Ende", disabled while the clock runs
};

/// The clock of the main window: Start runs passes once a second inside its own
/// handler until Stop; every other handler runs nested in the pause between passes.
class SiderealClock
{
public:
    SiderealClock(const ClockControls &controls, TimeSource &timeSource, ClockPause &pause);

    /// Start: runs the clock, returning only when the run has ended.
    void Command1_Click();
    /// Stop: the run ends after one more pass.
    void Command2_Click();

    /// Ends every run at once, without a further pass (the main window is closing).
    void endAllRuns();

    /// The main window's load step: runs may go on.
    void resetRunFlag() { RunFlag = 1; }

    /// Called after every pass, while the readings are fresh (the summer-time check).
    void setAfterPass(std::function<void()> hook) { afterPass = std::move(hook); }

private:
    void makePass();

    /// 1 while runs should go on; Stop sets it to 0 and the run ends after one more pass.
    int RunFlag = 1;
    ClockControls controls;
    TimeSource &timeSource;
    ClockPause &pause;
    int runDepth = 0;
    bool endingAllRuns = false;
    std::function<void()> afterPass;
};
