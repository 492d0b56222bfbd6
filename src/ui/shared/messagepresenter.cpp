// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagepresenter.h"

#include "ui/shared/nightvision.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

void colourLikeItsWindow(QMessageBox &box, QWidget *parent)
{
    // Without a window the message comes from the main window's start-up; the editor's own
    // messages keep the editor's look.
    if (!parent || NightVision::belongsToNightWindow(parent)) {
        box.setPalette(NightVision::palette());
        // Desktop themes put a coloured icon on the OK button.
        for (QAbstractButton *button : box.buttons())
            button->setIcon(QIcon());
    }
}

} // namespace

bool MessagePresenter::askYesNo(QWidget *, const QString &)
{
    return false;
}

void MessageBoxPresenter::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zenitor"), text, QMessageBox::Ok, parent);
    colourLikeItsWindow(box, parent);
    box.exec();
}

bool MessageBoxPresenter::askYesNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zenitor"), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    // Enter or a hasty click on the default must not throw text or a file away.
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    colourLikeItsWindow(box, parent);
    return box.exec() == QMessageBox::Yes;
}

void showWhenShown(MessagePresenter &messages, QWidget &window, const QString &text)
{
    QTimer::singleShot(0, &window, [&messages, target = QPointer<QWidget>(&window), text] {
        messages.showMessage(target, text);
    });
}
