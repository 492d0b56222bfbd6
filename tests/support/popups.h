// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPoint>
#include <QTest>
#include <QWidget>

/// Asks receiver for its context menu as the keyboard's menu key does, at the global point of
/// shownAt's pixel 2,2; the menu once it is shown, or null when none opens.
inline QWidget *openContextMenu(QWidget *receiver, const QWidget *shownAt)
{
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                            shownAt->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(receiver, &event);
    if (!QTest::qWaitFor([] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }))
        return nullptr;
    QWidget *menu = QApplication::activePopupWidget();
    return QTest::qWaitForWindowExposed(menu) ? menu : nullptr;
}
