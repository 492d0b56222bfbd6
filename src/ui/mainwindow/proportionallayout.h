// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/mainwindow/form1design.h"

#include <QMargins>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <array>

class QEvent;
class QWidget;

/// A control's place as fractions of the window's outer size at load.
struct LayoutRatios
{
    float TopRatio = 0;
    float LeftRatio = 0;
    float WidthRatio = 0;
    float HeightRatio = 0; ///< unused for combo boxes, whose height follows their font
};

/// Keeps the main window at 4:3 and its controls in proportion: the ratios of every control
/// are captured once at load, and every resize places and sizes the controls from them.
class ProportionalLayout : public QObject
{
public:
    using Designs = std::array<ControlDesign, FORM1_CONTROL_COUNT>;
    using Widgets = std::array<QWidget *, FORM1_CONTROL_COUNT>;

    /// window: the window laid out; designs: its design table; widgets: the control built for
    /// each row of the table, in the table's order.
    ProportionalLayout(QWidget *window, const Designs &designs, const Widgets &widgets);

    /// Records the ratios of every control from the design and the window's current size.
    void capture();
    /// The window's resize handler: lays the controls out and, once the size has settled,
    /// brings the window back to 4:3.
    void windowResized();
    /// Minimising, maximising, restoring and reactivation lay the window out like a resize.
    void windowChanged(const QEvent &event);

    // Read by tests only: a ratio is finer than a pixel, and the saved size shows when the
    // aspect step has settled.
    /// The ratios of the controls, in layout rank order.
    const std::array<LayoutRatios, FORM1_CONTROL_COUNT> &ratios() const { return capturedRatios; }
    /// The window's outer size, twips, as of the last layout step.
    float savedWidth() const { return SavedWidth; }
    float savedHeight() const { return SavedHeight; }

private:
    /// A row of the design table with its widget.
    struct Placed
    {
        const ControlDesign *design = nullptr;
        QWidget *widget = nullptr;
    };

    /// The window manager's frame in pixels, or the design frame while the window has none yet.
    QMargins outerFrame() const;
    /// Outer size including frame and title bar, twips.
    float outerWidth() const;
    float outerHeight() const;
    void setOuterWidth(float twips);
    void setOuterHeight(float twips);
    void completeCaptureWhenFramed();
    void applyAspectStep();
    void layOutControls();

    /// The height, pixels, that the combo box of layout rank i may take: down to the top of
    /// the control below it, so that a large font never pushes it over that control.
    int comboRoom(std::size_t i) const;

    QWidget *window;
    /// The controls by layout rank.
    std::array<Placed, FORM1_CONTROL_COUNT> controls{};
    std::array<LayoutRatios, FORM1_CONTROL_COUNT> capturedRatios{};
    float SavedWidth = 0;
    float SavedHeight = 0;
    /// For each control by layout rank, the rank of the nearest control below it that shares
    /// some of its width, or -1.
    std::array<int, FORM1_CONTROL_COUNT> controlBelow{};
    QSize loadClientSize;               ///< pixels, the client size the capture refers to
    bool captureUsesDesignFrame = true; ///< until the window manager reports the real frame
    bool inAspectStep = false;          ///< the window resizes itself; its own resize events wait
    /// Runs the aspect step once the window manager has stopped resizing the window.
    QTimer aspectSettleTimer;
    float correctedWidth = 0, correctedHeight = 0; ///< twips, the size the last aspect step changed
    bool correctionRetried = false; ///< the window manager put that size back once already
};
