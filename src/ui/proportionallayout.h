// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QObject>
#include <QSize>
#include <QTimer>

#include <array>
#include <functional>
#include <string_view>

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
    using ControlLookup = std::function<QWidget *(std::string_view name)>;

    /// window: the window laid out; controlOf: its control of a design table name.
    ProportionalLayout(QWidget *window, ControlLookup controlOf);

    /// Control names in the order of ratios and of every layout pass.
    static constexpr std::array<std::string_view, 32> layoutOrder{
        "Check1",   "Picture1", "Picture2", "Picture3", "Picture4", "Text1",    "Text2",
        "Text3",    "Text4",    "Text5",    "Command1", "Command2", "Command3", "Command4",
        "Command5", "Label1",   "Label2",   "Label3",   "Label4",   "Label5",   "Label6",
        "Label7",   "Label8",   "Label9",   "Label10",  "Label11",  "Label12",  "Label13",
        "Label14",  "Combo1",   "Combo2",   "Combo3"};

    /// Records the ratios of every control from the design and the window's current size.
    void capture();
    /// The window's resize handler: lays the controls out and, once the size has settled,
    /// brings the window back to 4:3.
    void windowResized();
    /// Minimising, maximising, restoring and reactivation lay the window out like a resize.
    void windowChanged(const QEvent &event);

    /// Ratios of the controls, in layoutOrder.
    std::array<LayoutRatios, 32> ratios{};
    /// The window's outer size, twips, as of the last layout step.
    float SavedWidth = 0;
    float SavedHeight = 0;

private:
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

    /// The height, pixels, that a combo box in layoutOrder place i may take: down to the top of
    /// the control below it, so that a large font never pushes it over that control.
    int comboRoom(std::size_t i) const;

    QWidget *window;
    ControlLookup controlOf;
    /// For each control in layoutOrder, the nearest control below it that shares some of its
    /// width, or -1.
    std::array<int, 32> controlBelow{};
    QSize loadClientSize;               ///< pixels, the client size the capture refers to
    bool captureUsesDesignFrame = true; ///< until the window manager reports the real frame
    bool inAspectStep = false;          ///< the window resizes itself; its own resize events wait
    /// Runs the aspect step once the window manager has stopped resizing the window.
    QTimer aspectSettleTimer;
    float correctedWidth = 0, correctedHeight = 0; ///< twips, the size the last aspect step changed
    bool correctionRetried = false; ///< the window manager put that size back once already
};
