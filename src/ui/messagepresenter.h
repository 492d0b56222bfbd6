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
};

/// A modal QMessageBox in the night-vision colours, unless shown for a window of normal colours.
class MessageBoxPresenter : public MessagePresenter
{
public:
    void showMessage(QWidget *parent, const QString &text) override;
};
