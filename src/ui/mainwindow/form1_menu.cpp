// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editor/form2.h"
#include "ui/help/form3.h"
#include "ui/mainwindow/form1.h"
#include "ui/shared/messagepresenter.h"
#include "ui/shared/nightchoice.h"

#include <QContextMenuEvent>
#include <QMenu>

// Controls with a menu of their own take their right-clicks; the others (captions, readouts,
// buttons) are not the background, so they open nothing.
void Form1::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() == QContextMenuEvent::Mouse && childAt(event->pos())) {
        event->ignore();
        return;
    }
    QMenu *menu = createBackgroundMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

QMenu *Form1::createBackgroundMenu()
{
    // A popup of this window, so it takes the night colours.
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("backgroundMenu"));
    QAction *night = menu->addAction(QStringLiteral("Alle Fenster in Nachtfarben"));
    night->setObjectName(QStringLiteral("allWindowsNight"));
    night->setCheckable(true);
    night->setChecked(AllWindowsNight::isChosen());
    connect(night, &QAction::toggled, this, &Form1::setAllWindowsNight);
    tellNightNotice();
    // F2 itself belongs to the main window; the entry only names it.
    QAction *planEntry = menu->addAction(QStringLiteral("Beobachtungsplan\tF2"));
    planEntry->setObjectName(QStringLiteral("openPlan"));
    connect(planEntry, &QAction::triggered, this, &Form1::openPlanWindow);
    return menu;
}

void Form1::setAllWindowsNight(bool night)
{
    AllWindowsNight::choose(night);
    if (editor)
        editor->showInNightColours(night);
    if (help)
        help->showInNightColours(night);
    tellNightNotice();
}

void Form1::tellNightNotice()
{
    if (const QString notice = AllWindowsNight::takeNotice(); !notice.isEmpty())
        services.messages->showMessage(this, notice);
}
