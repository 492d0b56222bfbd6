// SPDX-License-Identifier: GPL-3.0-or-later
#include "buttonkeys.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {

class ReturnPresses : public QObject
{
public:
    explicit ReturnPresses(QAbstractButton *button) : QObject(button), button(button)
    {
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != button || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            modifiers != Qt::NoModifier || key->isAutoRepeat())
            return false;
        if (button->isEnabled())
            button->click();
        return true;
    }

private:
    QAbstractButton *button;
};

} // namespace

void pressOnReturn(QAbstractButton *button)
{
    new ReturnPresses(button);
}
