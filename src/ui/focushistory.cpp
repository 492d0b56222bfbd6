// SPDX-License-Identifier: GPL-3.0-or-later
#include "focushistory.h"

#include "ui/form2.h"
#include "ui/form3.h"

#include <QApplication>
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
    const QList<QWidget *> topLevels = QApplication::topLevelWidgets();
    for (QWidget *topLevel : topLevels) {
        if (topLevel->windowHandle() != window)
            continue;
        if (qobject_cast<Form2 *>(topLevel) || qobject_cast<Form3 *>(topLevel))
            return Holder::ProgramWindow;
        break;
    }
    return Holder::OtherWindow;
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
