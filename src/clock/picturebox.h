// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QSharedPointer>
#include <QWidget>

/// A plain drawing surface that is cleared and printed one line into, at its top left.
/// A line wider or taller than the box is printed at the largest smaller font
/// size that fits, so a readout is never cut off.
///
/// Only what changed is drawn again: a new line is compared glyph by glyph with the
/// one on screen, and only the band between the first and the last glyph that differ
/// is repainted. The shaped line is kept until its text or its fitted font changes;
/// a new line that starts as the last one did is shaped only from the character before
/// its first change on, and such tails (a clock's seconds) are kept for every box to reuse.
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
    void changeEvent(QEvent *event) override;

private:
    QFont searchFittingFont() const;
    /// An opaque background is cleared by the box's own painter, which saves Qt a second
    /// painter for every repaint; any other is left to Qt, which paints what lies below.
    void chooseBackgroundPainting();

    /// The fonts fitted for lines of each length, and the box, font and resolution they were
    /// fitted for.
    struct Fit
    {
        QSize boxSize;
        QFont boxFont;
        qreal dotsPerInch = 0;
        QHash<qsizetype, QFont> fontByLineLength;
    };

    /// One glyph of a laid-out line (its place as in its run), and the extent of its ink in
    /// the box (none when inkLeft > inkRight).
    struct Glyph
    {
        qsizetype run;
        quint32 index;
        QPointF position;
        qreal inkLeft;
        qreal inkRight;
        qreal inkTop;
        qreal inkBottom;
    };

    /// A line laid out in its fitted font, ready to draw.
    struct Shaped
    {
        QString text;
        QFont font;
        int dotsPerInch = 0;
        QPointF origin;
        /// The runs' fonts and flags; the glyphs to draw are those of the list below.
        QList<QGlyphRun> runs;
        QList<Glyph> glyphs;
        /// One run, left to right, each character one glyph: a tail can replace the end.
        bool oneGlyphPerCharacter = false;
    };

    /// Tails of lines already shaped, by font and text; shared by all boxes.
    struct TailCache;

    const Shaped &shapedLine() const;
    Shaped shape(const QString &text, const QFont &font) const;
    Shaped withNewTail(const Shaped &previous, const QString &text) const;
    void showClearing();
    void updateChangedPart();
    QRect changedBand(const Shaped &before, const Shaped &after) const;

    QString line;
    mutable Fit lastFit;
    mutable Shaped shaped;
    QSharedPointer<TailCache> tails;
    /// The line as the last requested repaint leaves the box.
    Shaped shown;
    bool clearPending = false;
};
