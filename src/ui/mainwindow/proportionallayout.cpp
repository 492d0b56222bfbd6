// SPDX-License-Identifier: GPL-3.0-or-later
#include "proportionallayout.h"

#include "ui/mainwindow/form1design.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

/// The frame the window was designed with, twips: border and title bar above the
/// client area, border at the left, right and bottom.
constexpr int DESIGN_FRAME_TOP_TWIPS = 345;
constexpr int DESIGN_FRAME_SIDE_TWIPS = 60;

/// The smallest outer size the window can be given, twips: half the design size, still 4:3.
constexpr int MINIMUM_OUTER_WIDTH_TWIPS = 4500;
constexpr int MINIMUM_OUTER_HEIGHT_TWIPS = 3375;

/// Font sizes, points, set before a text box or a combo box is moved.
constexpr double TEXT_BOX_RESET_POINTS = 10;
constexpr double COMBO_BOX_RESET_POINTS = 8;

/// Font sizes below this are raised to it: a font needs a positive size, and the
/// smallest fitted readout font is the same.
constexpr double SMALLEST_POINTS = 1.0;

/// Milliseconds without a new size before the aspect step runs. Longer than the
/// 100 ms after which Qt reports the window inactive when a window manager grabs the
/// keyboard for an interactive resize, so the step never runs while the user drags.
constexpr int ASPECT_SETTLE_MILLISECONDS = 250;

void setPointSize(QWidget *widget, double points)
{
    QFont font = widget->font();
    font.setPointSizeF(std::max(points, SMALLEST_POINTS));
    widget->setFont(font);
}

/// A larger font can push the start of a line out of its box; show the start (the sign
/// of a declination, the longitude of a site) unless the user is typing in it.
void showStartOfText(QLineEdit *edit)
{
    if (edit && !edit->hasFocus())
        edit->setCursorPosition(0);
}

/// The height, pixels, that a combo box takes for its current font.
int heightForFont(const QWidget *combo)
{
    return std::max(1, combo->sizeHint().height());
}

} // namespace

ProportionalLayout::ProportionalLayout(QWidget *window, const Designs &designs,
                                       const Widgets &widgets)
    : window(window)
{
    for (std::size_t row = 0; row < designs.size(); ++row)
        controls[std::size_t(designs[row].layoutRank)] = {&designs[row], widgets[row]};

    aspectSettleTimer.setSingleShot(true);
    aspectSettleTimer.setInterval(ASPECT_SETTLE_MILLISECONDS);
    connect(&aspectSettleTimer, &QTimer::timeout, this, &ProportionalLayout::applyAspectStep);

    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDesign &upper = *controls[i].design;
        controlBelow[i] = -1;
        for (std::size_t j = 0; j < controls.size(); ++j) {
            const ControlDesign &lower = *controls[j].design;
            const bool sharesWidth =
                lower.left < upper.left + upper.width && upper.left < lower.left + lower.width;
            if (lower.top > upper.top && sharesWidth &&
                (controlBelow[i] < 0 ||
                 lower.top < controls[std::size_t(controlBelow[i])].design->top))
                controlBelow[i] = int(j);
        }
    }
}

int ProportionalLayout::comboRoom(std::size_t i) const
{
    if (controlBelow[i] < 0)
        return std::numeric_limits<int>::max();
    const float top = capturedRatios[i].TopRatio * outerHeight();
    const float belowTop = capturedRatios[std::size_t(controlBelow[i])].TopRatio * outerHeight();
    return std::max(1, twipsToPixels(belowTop) - twipsToPixels(top));
}

QMargins ProportionalLayout::outerFrame() const
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins real(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    if (!real.isNull())
        return real;
    const int side = twipsToPixels(DESIGN_FRAME_SIDE_TWIPS);
    return QMargins(side, twipsToPixels(DESIGN_FRAME_TOP_TWIPS), side, side);
}

float ProportionalLayout::outerWidth() const
{
    const QMargins frame = outerFrame();
    return float((window->width() + frame.left() + frame.right()) * TWIPS_PER_PIXEL);
}

float ProportionalLayout::outerHeight() const
{
    const QMargins frame = outerFrame();
    return float((window->height() + frame.top() + frame.bottom()) * TWIPS_PER_PIXEL);
}

void ProportionalLayout::setOuterWidth(float twips)
{
    const QMargins frame = outerFrame();
    window->resize(std::max(1, twipsToPixels(twips) - frame.left() - frame.right()),
                   window->height());
}

void ProportionalLayout::setOuterHeight(float twips)
{
    const QMargins frame = outerFrame();
    window->resize(window->width(),
                   std::max(1, twipsToPixels(twips) - frame.top() - frame.bottom()));
}

void ProportionalLayout::capture()
{
    if (loadClientSize.isEmpty())
        loadClientSize = window->size();
    const QMargins frame = outerFrame();
    const float loadWidth =
        float((loadClientSize.width() + frame.left() + frame.right()) * TWIPS_PER_PIXEL);
    const float loadHeight =
        float((loadClientSize.height() + frame.top() + frame.bottom()) * TWIPS_PER_PIXEL);

    SavedWidth = loadWidth;
    SavedHeight = loadHeight;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDesign &design = *controls[i].design;
        LayoutRatios &captured = capturedRatios[i];
        captured.TopRatio = float(design.top) / loadHeight;
        captured.LeftRatio = float(design.left) / loadWidth;
        captured.WidthRatio = float(design.width) / loadWidth;
        if (design.kind != ControlKind::ComboBox)
            captured.HeightRatio = float(design.height) / loadHeight;
    }
    correctedWidth = SavedWidth;
    correctedHeight = SavedHeight;

    window->setMinimumSize(twipsToPixels(MINIMUM_OUTER_WIDTH_TWIPS) - frame.left() - frame.right(),
                           twipsToPixels(MINIMUM_OUTER_HEIGHT_TWIPS) - frame.top() -
                               frame.bottom());
    captureUsesDesignFrame = window->frameGeometry() == window->geometry();
}

// A window manager frames the window only once it is shown. Until the window has been
// resized, the load size is then the load client size plus the real frame.
void ProportionalLayout::completeCaptureWhenFramed()
{
    if (captureUsesDesignFrame && window->frameGeometry() != window->geometry() &&
        window->windowState() == Qt::WindowNoState)
        capture();
}

void ProportionalLayout::windowResized()
{
    if (inAspectStep || SavedHeight == 0)
        return;
    completeCaptureWhenFramed();
    layOutControls();
    // On X11 a size set by code arrives after this handler, and while the user drags an
    // edge the window manager overrides it; so the aspect step waits until the size has
    // settled and the window is active again.
    if (window->windowState() == Qt::WindowNoState &&
        (outerWidth() != SavedWidth || outerHeight() != SavedHeight))
        aspectSettleTimer.start();
}

void ProportionalLayout::applyAspectStep()
{
    if (window->windowState() != Qt::WindowNoState || !window->isActiveWindow())
        return;
    completeCaptureWhenFramed();
    const float width = outerWidth();
    const float height = outerHeight();
    if (width == SavedWidth && height == SavedHeight)
        return;

    inAspectStep = true;
    if (width == correctedWidth && height == correctedHeight) {
        // The window manager put back the size the last step corrected: ask once more,
        // then accept it, so that a manager that insists and this step never loop.
        if (!correctionRetried) {
            correctionRetried = true;
            const QMargins frame = outerFrame();
            window->resize(std::max(1, twipsToPixels(SavedWidth) - frame.left() - frame.right()),
                           std::max(1, twipsToPixels(SavedHeight) - frame.top() - frame.bottom()));
        }
    } else {
        correctionRetried = false;
        correctedWidth = width;
        correctedHeight = height;
        // A change of height governs; a change of width alone makes the height follow.
        if (outerHeight() != SavedHeight)
            setOuterWidth(outerHeight() * 4 / 3);
        if (outerWidth() != SavedWidth)
            setOuterHeight(outerWidth() * 3 / 4);
    }
    SavedHeight = outerHeight();
    SavedWidth = outerWidth();
    inAspectStep = false;
    captureUsesDesignFrame = false;
    layOutControls();
}

void ProportionalLayout::layOutControls()
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDesign &design = *controls[i].design;
        const LayoutRatios &place = capturedRatios[i];
        QWidget *widget = controls[i].widget;
        const bool isCombo = design.kind == ControlKind::ComboBox;

        if (design.kind == ControlKind::TextBox || design.kind == ControlKind::MultiLineTextBox)
            setPointSize(widget, TEXT_BOX_RESET_POINTS);
        if (isCombo)
            setPointSize(widget, COMBO_BOX_RESET_POINTS);

        const float top = place.TopRatio * outerHeight();
        const float left = place.LeftRatio * outerWidth();
        const float width = place.WidthRatio * outerWidth();
        const int heightPixels =
            isCombo ? heightForFont(widget)
                    : std::max(1, twipsToPixels(place.HeightRatio * outerHeight()));
        widget->setGeometry(twipsToPixels(left), twipsToPixels(top),
                            std::max(1, twipsToPixels(width)), heightPixels);

        const float divisor = design.fontDivisor;
        if (divisor == 0)
            continue;
        setPointSize(widget, float(widget->height() * TWIPS_PER_PIXEL) / divisor);
        // A combo box's height follows its font, but stops at the control below it.
        if (isCombo)
            widget->resize(widget->width(), std::min(heightForFont(widget), comboRoom(i)));
        showStartOfText(isCombo ? static_cast<QComboBox *>(widget)->lineEdit()
                                : qobject_cast<QLineEdit *>(widget));
    }
}

void ProportionalLayout::windowChanged(const QEvent &event)
{
    // A size left uncorrected while the window manager held the window is corrected once the
    // window is active again.
    if (event.type() == QEvent::WindowStateChange)
        windowResized();
    if (event.type() == QEvent::ActivationChange && window->isActiveWindow())
        windowResized();
}
