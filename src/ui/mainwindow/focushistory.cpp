// SPDX-License-Identifier: GPL-3.0-or-later
#include "focushistory.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

constexpr qsizetype REMEMBERED_HOLDERS = 4;

} // namespace

FocusHistory::FocusHistory(QWidget *watched) : watched(watched)
{
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &FocusHistory::focusWindowChanged);
}

FocusHistory::Holder FocusHistory::holderOf(QWindow *window) const
{
    if (!window)
        return Holder::Nobody;
    if (window == watched->windowHandle())
        return Holder::Watched;
    for (const QPointer<QWidget> &programWindow : programWindows)
        if (programWindow && programWindow->windowHandle() == window)
            return Holder::ProgramWindow;
    for (const QPointer<QWidget> &sideWindow : sideWindows)
        if (sideWindow && sideWindow->windowHandle() == window)
            return Holder::SideWindow;
    return Holder::OtherWindow;
}

void FocusHistory::countAsProgramWindow(QWidget *window)
{
    programWindows.removeAll(nullptr);
    if (!programWindows.contains(window))
        programWindows.append(window);
}

void FocusHistory::countAsSideWindow(QWidget *window)
{
    sideWindows.removeAll(nullptr);
    if (!sideWindows.contains(window))
        sideWindows.append(window);
}

void FocusHistory::focusWindowChanged(QWindow *window)
{
    const Holder holder = holderOf(window);
    if (!holders.isEmpty() && holders.constLast() == holder)
        return;
    holders.append(holder);
    if (holders.size() > REMEMBERED_HOLDERS)
        holders.removeFirst();
}

bool FocusHistory::takeReturnFromProgramWindow()
{
    // Qt 6.4 sends the activation event before it reports the new focus window; should a
    // platform report it first, the watched window's own entry is not what came before.
    QList<Holder> before = holders;
    if (!before.isEmpty() && before.constLast() == Holder::Watched)
        before.removeLast();
    // X11 may report no focus window for a moment between two windows of the program, so a
    // Nobody is looked through to the window before it.
    Holder previous = Holder::Nobody;
    for (auto holder = before.crbegin(); holder != before.crend(); ++holder) {
        if (*holder != Holder::Nobody) {
            previous = *holder;
            break;
        }
    }
    holders = {Holder::Watched};
    return previous == Holder::ProgramWindow;
}
