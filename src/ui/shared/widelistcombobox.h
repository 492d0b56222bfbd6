// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

/// A combo box whose drop-down list opens as wide as its longest entry, within the screen, so
/// that no entry is elided; the combo box itself keeps its size.
class WideListComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit WideListComboBox(QWidget *parent = nullptr);

    void showPopup() override;

    /// The width, pixels, the list needs to show every entry whole.
    int listWidthForEntries() const;
};
