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
                                Check1->checkState() != Qt::Unchecked};
        });
        plan->setAttribute(Qt::WA_DeleteOnClose);
        focusHistory.countAsSideWindow(plan);
        connect(plan, &PlanWindow::objectChosen, this, &Form1::chooseObject);
        // Wide enough for every column, as far as the screen allows.
        const QRect screenArea = screen()->availableGeometry();
        plan->ensurePolished(); // the style decides the widths measured next
        plan->refresh();
        plan->resize(std::clamp(plan->widthShowingEveryColumn(), plan->width(),
                                std::max(plan->width(), screenArea.width())),
                     plan->height());
        // Beside the main window when the screen has room, so neither hides the other.
        const QRect frame = frameGeometry();
        const int left = frame.right() + 1;
        const int room = screenArea.right() - left - (frame.width() - width());
        if (isVisible() && room >= PLAN_MINIMUM_WIDTH) {
            plan->move(left, frame.top());
            plan->resize(std::min(plan->width(), room),
                         std::min(plan->height(),
                                  screenArea.bottom() - frame.top() - (frame.height() - height())));
        }
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
