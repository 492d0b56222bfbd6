// SPDX-License-Identifier: GPL-3.0-or-later
#include "textfit.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace {

const char fitName[] = "textFit";
/// Fitted sizes are searched to this step, points.
constexpr double POINTS_STEP = 0.05;
/// QLineEdit keeps this many pixels free on either side of its text.
constexpr int LINE_EDIT_MARGIN = 2;
/// The text cursor behind the last character takes a pixel.
constexpr int CURSOR_WIDTH = 1;
/// No text is shrunk below this size, points; a font needs a positive size.
constexpr double SMALLEST_POINTS = 1.0;

bool fitsWidth(const QFont &font, const QString &text, int width)
{
    return QFontMetricsF(font).horizontalAdvance(text) <= width;
}

} // namespace

double fittingPoints(const QFont &font, const QString &text, int width, double smallest)
{
    const double full = font.pointSizeF();
    if (text.isEmpty() || full <= smallest || fitsWidth(font, text, width))
        return full;
    QFont probe = font;
    probe.setPointSizeF(smallest);
    if (!fitsWidth(probe, text, width))
        return smallest;
    // Bisection: whether a text fits only changes once as it grows.
    double fitting = smallest;
    double tooLarge = full;
    while (tooLarge - fitting > POINTS_STEP) {
        const double middle = (fitting + tooLarge) / 2;
        probe.setPointSizeF(middle);
        (fitsWidth(probe, text, width) ? fitting : tooLarge) = middle;
    }
    return fitting;
}

TextFit::TextFit(QLineEdit *edit, QWidget *fontOwner)
    : QObject(edit), edit(edit), owner(fontOwner), full(fontOwner->font())
{
    setObjectName(QLatin1String(fitName));
    edit->installEventFilter(this);
    if (fontOwner != edit)
        fontOwner->installEventFilter(this);
    // setText() clears the modified flag, typing sets it: only a text set by the program, a
    // choice from the list among them, moves the view to the beginning.
    connect(edit, &QLineEdit::textChanged, this, [this] { refit(); });
    // Whatever moves the cursor of a field nobody types in, the view keeps the beginning.
    connect(edit, &QLineEdit::cursorPositionChanged, this, [this](int, int now) {
        if (now != 0 && !this->edit->hasFocus())
            showBeginning();
    });
    // Choosing the entry already shown sets no new text but puts the cursor at its end.
    if (auto *combo = qobject_cast<QComboBox *>(fontOwner))
        connect(combo, &QComboBox::activated, this, [this] { showBeginning(); });
    refit();
}

TextFit *TextFit::attach(QLineEdit *edit, QWidget *fontOwner)
{
    if (TextFit *existing = of(edit))
        return existing;
    return new TextFit(edit, fontOwner);
}

TextFit *TextFit::of(const QLineEdit *edit)
{
    return edit ? edit->findChild<TextFit *>(QLatin1String(fitName), Qt::FindDirectChildrenOnly)
                : nullptr;
}

double TextFit::fullPoints() const
{
    return full.pointSizeF();
}

int TextFit::textRoom() const
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * LINE_EDIT_MARGIN -
           CURSOR_WIDTH;
}

void TextFit::refit()
{
    if (applying)
        return;
    if (owner && owner != edit)
        full = owner->font();
    QFont fitted = full;
    const double smallest = std::max(SMALLEST_POINTS, full.pointSizeF() * SMALLEST_SHARE);
    if (full.pointSizeF() > smallest)
        fitted.setPointSizeF(fittingPoints(full, edit->text(), textRoom(), smallest));
    if (fitted != edit->font()) {
        applying = true;
        edit->setFont(fitted);
        applying = false;
    }
    if (!edit->isModified() || !edit->hasFocus())
        showBeginning();
}

void TextFit::showBeginning()
{
    edit->setCursorPosition(0);
}

bool TextFit::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        // The field's own font is its full size unless this fit set it.
        if (watched == edit && owner == edit && !applying) {
            full = edit->font();
            refit();
        } else if (watched == owner && owner != edit) {
            refit();
        }
        break;
    case QEvent::Resize:
        if (watched == edit)
            refit();
        break;
    case QEvent::FocusOut:
        // A combo box takes the focus events of its field.
        showBeginning();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
