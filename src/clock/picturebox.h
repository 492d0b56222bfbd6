// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

/// A plain drawing surface that is cleared and printed one line into, at its top left.
/// A line wider or taller than the box is printed at the largest smaller font
/// size that fits, so a readout is never cut off.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    /// Clears the box.
    void Cls();
    /// Prints one line at the top left of the box.
    void Print(const QString &text);

    QString printedText() const { return line; }
    /// The font the current line is drawn in: the box's font, or a smaller size that fits.
    QFont printingFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont searchFittingFont() const;

    /// The last fitted font and what it was fitted for.
    struct Fit
    {
        QSize boxSize;
        QFont boxFont;
        qreal dotsPerInch = 0;
        qsizetype lineLength = -1;
        QFont font;
    };

    QString line;
    mutable Fit lastFit;
};
