// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/form1.h"

#include "clock/picturebox.h"
#include "ui/plan/planwindow.h"
#include "ui/shared/messagepresenter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <functional>

namespace {

/// Runs an action on a left double-click on the widget it watches.
class DoubleClickAction : public QObject
{
public:
    DoubleClickAction(QWidget *watched, std::function<void()> action)
        : QObject(watched), action(std::move(action))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            action();
            return true;
        }
        return false;
    }

private:
    std::function<void()> action;
};

constexpr int PLAN_MINIMUM_WIDTH = 480;

// Wide enough for every column, as far as the screen allows; beside the main window when the
// screen has room, so neither hides the other (then as wide as that room). Always wholly on the
// main window's screen, title bar and close box included, the frame taken as the main window's.
void placePlanWindow(const QWidget &main, PlanWindow *plan)
{
    const QRect screenArea = main.screen()->availableGeometry();
    const QRect frame = main.frameGeometry();
    const int frameWidth = frame.width() - main.width();
    const int frameHeight = frame.height() - main.height();
    plan->ensurePolished(); // the style decides the widths measured next
    plan->refresh();
    QSize size(std::clamp(plan->widthShowingEveryColumn(),
                          std::min(plan->width(), PLAN_MINIMUM_WIDTH),
                          std::max(PLAN_MINIMUM_WIDTH, screenArea.width() - frameWidth)),
               std::min(plan->height(), screenArea.height() - frameHeight));
    const int beside = frame.right() + 1;
    const int room = screenArea.right() + 1 - beside - frameWidth;
    QPoint wanted(frame.left(), frame.top());
    if (main.isVisible() && room >= PLAN_MINIMUM_WIDTH) {
        wanted.setX(beside);
        size.setWidth(std::min(size.width(), room));
    }
    // The frame's corners inside the screen.
    const QPoint placed(std::clamp(wanted.x(), screenArea.left(),
                                   screenArea.right() + 1 - size.width() - frameWidth),
                        std::clamp(wanted.y(), screenArea.top(),
                                   screenArea.bottom() + 1 - size.height() - frameHeight));
    plan->resize(size);
    plan->move(placed);
}

} // namespace

// The plan opens from F2, the hour-angle readout and the background menu; none of them changes
// a control, a caption or the tab order of the window.
void Form1::connectPlanWindow()
{
    auto *openPlan = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(openPlan, &QShortcut::activated, this, &Form1::openPlanWindow);
    new DoubleClickAction(Picture3, [this] { openPlanWindow(); });

    const auto refreshPlan = [this] {
        if (plan)
            plan->refresh();
    };
    connect(Combo1, &QComboBox::currentTextChanged, this, refreshPlan);
    connect(Combo3, &QComboBox::currentTextChanged, this, refreshPlan);
    connect(Check1, &QCheckBox::toggled, this, refreshPlan);
    // Choosing the same list again reads it again, as the object choice does.
    connect(Combo3, &QComboBox::activated, this, [this] {
        if (plan)
            plan->reload();
    });
}

void Form1::planListSaved(const QString &)
{
    if (plan)
        plan->reload();
}

// The plan has no owner, so the window manager treats it as a window of its own that may lie
// below the main window; it reads the main window's controls and clock, so it ends with it.
void Form1::openPlanWindow()
{
    const bool opening = plan.isNull();
    if (opening) {
        plan = new PlanWindow(*services.timeSource, services.dataFolder, [this] {
            return PlanSettings{Combo1->currentText(), Combo3->currentText(),
                                Check1->checkState() != Qt::Unchecked, Combo2->currentText()};
        });
        plan->setAttribute(Qt::WA_DeleteOnClose);
        focusHistory.countAsSideWindow(plan);
        connect(plan, &PlanWindow::objectChosen, this, &Form1::chooseObject);
        // F1 in the plan opens the help as the button "Hilfe" does.
        connect(plan, &PlanWindow::helpRequested, this, &Form1::openHelpWindow);
        placePlanWindow(*this, plan);
    }
    plan->show();
    if (opening)
        plan->selectObject(Combo2->currentText());
    plan->raise();
    plan->activateWindow();
}

PlanWindow *Form1::planWindow() const
{
    return plan;
}

void Form1::closePlanWindow()
{
    delete plan;
}

void Form1::chooseObject(const QString &name)
{
    const int index = Combo2->findText(name);
    if (index < 0) {
        // The list was changed since the plan read it, or another list is typed in.
        QWidget *owner = plan && plan->isVisible() ? static_cast<QWidget *>(plan)
                         : isVisible()             ? this
                                                   : nullptr;
        services.messages->showMessage(owner, QStringLiteral("„") + name +
                                                  QStringLiteral("“ steht nicht in der "
                                                                 "Objektauswahl der Liste „") +
                                                  Combo3->currentText() + QStringLiteral("“!!!"));
        return;
    }
    selectEntry(Combo2, index);
}
