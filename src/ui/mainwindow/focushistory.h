// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

/// Remembers which window of the program last held the focus, so that the main window can tell
/// a return from the editor or the help window from a return from another application, from a
/// message box or from a side window such as the observing plan.
class FocusHistory : public QObject
{
    Q_OBJECT
public:
    /// watched: the main window whose activations are judged.
    explicit FocusHistory(QWidget *watched);

    /// Called when the watched window has become active: true when the window of the program
    /// that was active before it was the editor or the help window. Afterwards the activation
    /// counts as seen, so a repeated activation event gives false.
    bool takeReturnFromProgramWindow();

    /// A return from window counts as a return from a window of the program (the editor, the
    /// help window) for as long as the window lives.
    void countAsProgramWindow(QWidget *window);

    /// A return from window counts like a return from another application for as long as the
    /// window lives: the observing plan chooses objects in the main window, and the activation
    /// defaults would at once replace the object just chosen.
    void countAsSideWindow(QWidget *window);

private:
    enum class Holder
    {
        Nobody,
        Watched,
        ProgramWindow,
        SideWindow,
        OtherWindow
    };

    void focusWindowChanged(QWindow *window);
    Holder holderOf(QWindow *window) const;

    QWidget *watched;
    QList<QPointer<QWidget>> programWindows;
    QList<QPointer<QWidget>> sideWindows;
    /// Latest last, consecutive repeats folded; Nobody stands for another application.
    QList<Holder> holders;
};
