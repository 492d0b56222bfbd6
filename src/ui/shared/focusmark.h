// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

/// A frame drawn over whichever control of a window holds the keyboard focus, so that an
/// observer who moves with Tab sees where the next key goes. It lies above the controls and
/// takes no clicks; controls that draw themselves (the readouts) are marked like the others.
/// In a night window the frame is bright red without green or blue, else the window's
/// highlight colour. In a night window it also draws the text cursor of the focused field, in
/// the text colour, where Qt would invert the black below it to white.
class FocusMark : public QWidget
{
    Q_OBJECT
public:
    /// Marks the focus in window from now on; the mark is a child of window and goes with it.
    static FocusMark *install(QWidget *window);
    /// The mark of window, or null when it has none.
    static FocusMark *of(const QWidget *window);

    /// The control the mark frames, or null while no control of the window has the focus.
    QWidget *markedControl() const { return marked; }
    /// The colour the frame is drawn in.
    QColor colour() const;

    /// Frame thickness, pixels.
    static constexpr int THICKNESS = 2;
    /// The text cursor the mark draws in a night window, in the mark's coordinates; empty when
    /// it draws none.
    QRect textCursor() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit FocusMark(QWidget *window);
    void focusMoved(QWidget *now);
    void follow();
    /// The text cursor of the focused field of this window, in the mark's coordinates, by day
    /// and by night; empty when there is none.
    QRect fieldCursor() const;
    /// Gives the mark only the pixels it may draw on, so that a control repainting inside the
    /// frame (a running readout, every second) repaints alone.
    void fitMask();
    int barThickness() const;

    QPointer<QWidget> marked;
};
