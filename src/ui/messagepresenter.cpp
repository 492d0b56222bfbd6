// SPDX-License-Identifier: GPL-3.0-or-later
#include "messagepresenter.h"

#include "ui/nightvision.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

void MessageBoxPresenter::showMessage(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zenitor"), text, QMessageBox::Ok, parent);
    // Without a window the message comes from the main window's start-up; the editor's own
    // messages keep the editor's look.
    if (!parent || NightVision::belongsToNightWindow(parent)) {
        box.setPalette(NightVision::palette());
        // Desktop themes put a coloured icon on the OK button.
        for (QAbstractButton *button : box.buttons())
            button->setIcon(QIcon());
    }
    box.exec();
}
