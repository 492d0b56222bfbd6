// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QLabel>

/// Flags a caption is laid out with: broken at word boundaries inside its box.
inline constexpr int CAPTION_TEXT_FLAGS = Qt::TextWordWrap;

/// The largest size up to font's own at which caption, broken at word boundaries, fits box
/// whole when drawn at dotsPerInch: no line cut off below, no word cut off at the right. font
/// itself when it fits.
QFont fitCaptionFont(const QFont &font, const QString &caption, const QSize &box,
                     Qt::Alignment alignment, int dotsPerInch);

/// A label that keeps the size its font is given but draws its caption no larger than fits
/// its box, as the readouts do, so a long caption reads whole instead of losing its end.
class CaptionLabel : public QLabel
{
    Q_OBJECT
public:
    explicit CaptionLabel(const QString &caption, QWidget *parent = nullptr);

    /// The font the caption is drawn in: the label's font, or a smaller size that fits.
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// The last fitted font and what it was fitted for.
    struct Fit
    {
        QSize box;
        QFont font;
        QString caption;
        int dotsPerInch = 0;
        QFont fitted;
    };
    mutable Fit lastFit;
};
