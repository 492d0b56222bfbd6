// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

/// Shows the program's messages; tests pass one that records instead of blocking.
class MessagePresenter
{
public:
    virtual ~MessagePresenter() = default;
    /// Shows text with an OK button, no icon and the caption "Zenitor"; returns when closed.
    virtual void showMessage(QWidget *parent, const QString &text) = 0;
    /// Asks a question with "Ja" and "Nein"; true for "Ja". Unless overridden it answers "Nein",
    /// the answer that never loses text or a file.
    virtual bool askYesNo(QWidget *parent, const QString &question);
};

/// Shows text over window once the event loop runs, so it appears in front of a window that is
/// about to be shown instead of before it.
void showWhenShown(MessagePresenter &messages, QWidget &window, const QString &text);

/// A modal QMessageBox in the night-vision colours, unless shown for a window of normal colours.
class MessageBoxPresenter : public MessagePresenter
{
public:
    void showMessage(QWidget *parent, const QString &text) override;
    bool askYesNo(QWidget *parent, const QString &question) override;
};
