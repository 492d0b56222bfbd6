// SPDX-License-Identifier: GPL-3.0-or-later
#include "siderealclock.h"

#include "astro/sidereal.h"
#include "clock/clockpause.h"
#include "clock/picturebox.h"
#include "clock/readouttext.h"
#include "clock/timesource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {
double leadingNumber(const QString &text)
{
    return astro::ParseLeadingNumber(text.toStdString());
}
} // namespace

SiderealClock::SiderealClock(const ClockControls &controls, TimeSource &timeSource,
                             ClockPause &pause)
    : controls(controls), timeSource(timeSource), pause(pause)
{
}

void SiderealClock::Command1_Click()
{
    ++runDepth;
    RunFlag = 1;
    controls.Command4->setEnabled(false);
    for (;;) {
        makePass();
        if (RunFlag == 0)
            break;
        if (!pause.waitForNextSecond() || endingAllRuns)
            break;
    }
    controls.Command4->setEnabled(true);
    if (--runDepth == 0)
        endingAllRuns = false;
}

void SiderealClock::Command2_Click()
{
    RunFlag = 0;
}

void SiderealClock::endAllRuns()
{
    RunFlag = 0;
    if (runDepth == 0)
        return;
    endingAllRuns = true;
    pause.interrupt();
}

void SiderealClock::makePass()
{
    const double longitude = leadingNumber(controls.Combo1->currentText());
    const double raMinutes = leadingNumber(controls.Text3->text());
    const double raSeconds = leadingNumber(controls.Text4->text());
    const double raHours = leadingNumber(controls.Text1->text());
    const QDateTime localReading = timeSource.currentLocalTime();
    const bool daylightSaving = controls.Check1->checkState() != Qt::Unchecked;
    // A second boundary may fall between the two readings, as on any clock face.
    const QDateTime greenwichBase = timeSource.currentLocalTime();

    const astro::SiderealReadings readings = astro::ComputeSiderealReadings(
        toCivilDateTime(greenwichBase), daylightSaving, longitude, raHours, raMinutes, raSeconds);
    const QLocale locale;
    // Print replaces a readout's line; a Cls before it would only cost a trip through the
    // event loop.
    controls.Picture1->Print(DateTimeText(toQDateTime(readings.greenwich), locale));
    controls.Picture4->Print(DateTimeText(localReading, locale));
    controls.Picture2->Print(SplitTimeText(readings.siderealSplit));
    controls.Picture3->Print(SplitTimeText(readings.hourAngleSplit));
    if (afterPass)
        afterPass();
}
