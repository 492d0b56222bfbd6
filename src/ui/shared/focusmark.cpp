// SPDX-License-Identifier: GPL-3.0-or-later
#include "focusmark.h"

#include "ui/shared/nightvision.h"

#include <QApplication>
#include <QEvent>
#include <QInputMethod>
#include <QPainter>

namespace {

const char markName[] = "focusMark";
/// The text cursor drawn in night windows, pixels wide.
constexpr int CURSOR_WIDTH = 2;

/// The control the focus belongs to: the line edit of a combo box stands for the combo box.
QWidget *controlOf(QWidget *focused)
{
    QWidget *control = focused;
    while (control && control->parentWidget() && !control->isWindow() &&
           control->parentWidget()->focusProxy() == control)
        control = control->parentWidget();
    return control;
}

} // namespace

FocusMark::FocusMark(QWidget *window) : QWidget(window)
{
    setObjectName(QLatin1String(markName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusMoved(now); });
    // Fields report every move of their cursor to the input method.
    connect(QGuiApplication::inputMethod(), &QInputMethod::cursorRectangleChanged, this, [this] {
        if (isVisible()) {
            fitMask();
            update();
        }
    });
    focusMoved(window->focusWidget());
}

FocusMark *FocusMark::install(QWidget *window)
{
    if (FocusMark *existing = of(window))
        return existing;
    return new FocusMark(window);
}

FocusMark *FocusMark::of(const QWidget *window)
{
    return window
               ? window->findChild<FocusMark *>(QLatin1String(markName), Qt::FindDirectChildrenOnly)
               : nullptr;
}

QColor FocusMark::colour() const
{
    if (NightVision::belongsToNightWindow(parentWidget()))
        return NightVision::focusMark;
    return parentWidget()->palette().color(QPalette::Active, QPalette::Highlight);
}

void FocusMark::focusMoved(QWidget *now)
{
    QWidget *control = controlOf(now);
    // Focus in another window leaves this one's mark where it is, as the window keeps its
    // focus control for the return.
    if (now && now->window() != parentWidget())
        return;
    if (control == this || control == parentWidget())
        control = nullptr;
    if (marked == control)
        return follow();
    if (marked)
        marked->removeEventFilter(this);
    marked = control;
    if (marked)
        marked->installEventFilter(this);
    follow();
}

void FocusMark::follow()
{
    if (!marked || !marked->isVisible()) {
        hide();
        return;
    }
    setGeometry(QRect(marked->mapTo(parentWidget(), QPoint(0, 0)), marked->size()));
    fitMask();
    raise();
    show();
    update();
}

bool FocusMark::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == marked) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            follow();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QRect FocusMark::textCursor() const
{
    if (!NightVision::belongsToNightWindow(parentWidget()))
        return {};
    return fieldCursor();
}

QRect FocusMark::fieldCursor() const
{
    QWidget *field = QApplication::focusWidget();
    if (!marked || !field || field->window() != parentWidget() ||
        !field->testAttribute(Qt::WA_InputMethodEnabled))
        return {};
    const QRect cursor = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (cursor.isNull() || !field->rect().intersects(cursor.adjusted(-1, 0, 1, 0)))
        return {};
    // A line edit widens its cursor's rectangle by a few pixels either side for repainting; the
    // cursor stands in its middle.
    const int x = cursor.width() > CURSOR_WIDTH ? cursor.center().x() : cursor.left();
    const QPoint topLeft = field->mapTo(parentWidget(), QPoint(x, cursor.top())) - pos();
    return QRect(topLeft, QSize(CURSOR_WIDTH, std::max(1, cursor.height())));
}

int FocusMark::barThickness() const
{
    return std::min({THICKNESS, width() / 2, height() / 2});
}

void FocusMark::fitMask()
{
    // The cursor's place is kept by day too, so that a change to night needs no new mask.
    const int t = barThickness();
    QRegion drawn = QRegion(rect()) - QRegion(rect().adjusted(t, t, -t, -t));
    drawn += fieldCursor();
    if (drawn.isEmpty())
        clearMask();
    else if (drawn != mask())
        setMask(drawn);
}

void FocusMark::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect frame = rect();
    const QColor mark = colour();
    // Four bars rather than a pen: crisp at any thickness and never outside the control.
    const int t = barThickness();
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), t), mark);
    painter.fillRect(QRect(frame.left(), frame.bottom() - t + 1, frame.width(), t), mark);
    painter.fillRect(QRect(frame.left(), frame.top(), t, frame.height()), mark);
    painter.fillRect(QRect(frame.right() - t + 1, frame.top(), t, frame.height()), mark);
    if (const QRect cursor = textCursor(); !cursor.isEmpty())
        painter.fillRect(cursor, NightVision::text);
}
