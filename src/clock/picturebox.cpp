// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturebox.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>
#include <limits>

namespace {
constexpr double smallestPointSize = 1.0;
constexpr double pointSizeStep = 0.25;
// Pixels beyond a glyph's outline that antialiasing, hinting and subpixel placement may touch.
constexpr int inkMargin = 2;
// Enough for the tails of the clock's readouts that recur within an hour.
constexpr qsizetype keptTails = 1000;
constexpr qsizetype keptTailFonts = 8;

bool fits(const QFont &font, const QString &text, const QSizeF &box)
{
    const QFontMetricsF metrics(font);
    return metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height();
}

// A line under, over or through the text runs along all of it, as wide as the whole line.
bool decorated(const QFont &font)
{
    return font.underline() || font.overline() || font.strikeOut();
}
} // namespace

struct PictureBox::TailCache
{
    struct OneFont
    {
        QFont font;
        int dotsPerInch = 0;
        QHash<QString, Shaped> byText;
    };
    QList<OneFont> fonts;

    /// The tails shaped in that font, emptied now and then so that they stay few.
    QHash<QString, Shaped> &of(const QFont &font, int dotsPerInch)
    {
        for (OneFont &one : fonts)
            if (one.font == font && one.dotsPerInch == dotsPerInch) {
                if (one.byText.size() >= keptTails)
                    one.byText.clear();
                return one.byText;
            }
        if (fonts.size() >= keptTailFonts)
            fonts.removeFirst();
        fonts.append({font, dotsPerInch, {}});
        return fonts.last().byText;
    }

    /// The cache of every box alive; it goes with the last box, before the application's
    /// fonts do.
    static QSharedPointer<TailCache> shared()
    {
        static QWeakPointer<TailCache> alive;
        QSharedPointer<TailCache> cache = alive.toStrongRef();
        if (!cache) {
            cache = QSharedPointer<TailCache>::create();
            alive = cache;
        }
        return cache;
    }
};

PictureBox::PictureBox(QWidget *parent) : QWidget(parent), tails(TailCache::shared())
{
    chooseBackgroundPainting();
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::chooseBackgroundPainting()
{
    const bool opaque = palette().brush(backgroundRole()).isOpaque();
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
    setAutoFillBackground(!opaque);
}

void PictureBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        chooseBackgroundPainting();
    QWidget::changeEvent(event);
}

void PictureBox::Cls()
{
    line.clear();
    // A Print usually follows at once and is compared with what the box shows; the clearing
    // is shown only if no Print has come by the time the event loop runs again.
    if (clearPending)
        return;
    clearPending = true;
    QMetaObject::invokeMethod(this, &PictureBox::showClearing, Qt::QueuedConnection);
}

void PictureBox::Print(const QString &text)
{
    line = text;
    updateChangedPart();
}

void PictureBox::showClearing()
{
    clearPending = false;
    updateChangedPart();
}

void PictureBox::updateChangedPart()
{
    const Shaped &now = shapedLine();
    const QRect band = changedBand(shown, now);
    if (!band.isEmpty())
        update(band);
    shown = now;
}

QFont PictureBox::printingFont() const
{
    // Readouts of one length are equally wide (digits share one width), so the search runs
    // once for each length of line until the box, its font or the resolution changes.
    const qreal dotsPerInch = QFontMetricsF(font()).fontDpi();
    if (lastFit.boxSize != size() || lastFit.boxFont != font() ||
        lastFit.dotsPerInch != dotsPerInch)
        lastFit = {size(), font(), dotsPerInch, {}};
    auto fitted = lastFit.fontByLineLength.constFind(line.size());
    if (fitted == lastFit.fontByLineLength.constEnd())
        fitted = lastFit.fontByLineLength.insert(line.size(), searchFittingFont());
    return *fitted;
}

QFont PictureBox::searchFittingFont() const
{
    QFont fitted = font();
    if (line.isEmpty() || fits(fitted, line, size()))
        return fitted;

    // Start from the proportional guess, then step down until the line fits.
    const QFontMetricsF metrics(fitted);
    const double scale =
        std::min(width() / metrics.horizontalAdvance(line), height() / metrics.height());
    double pointSize = std::floor(fitted.pointSizeF() * scale / pointSizeStep) * pointSizeStep;
    pointSize = std::clamp(pointSize, smallestPointSize, fitted.pointSizeF());
    fitted.setPointSizeF(pointSize);
    while (pointSize > smallestPointSize && !fits(fitted, line, size())) {
        pointSize = std::max(smallestPointSize, pointSize - pointSizeStep);
        fitted.setPointSizeF(pointSize);
    }
    return fitted;
}

const PictureBox::Shaped &PictureBox::shapedLine() const
{
    const QFont font = printingFont();
    const int dotsPerInch = logicalDpiY();
    if (shaped.text == line && shaped.font == font && shaped.dotsPerInch == dotsPerInch)
        return shaped;
    if (shaped.font == font && shaped.dotsPerInch == dotsPerInch && !line.isEmpty())
        shaped = withNewTail(shaped, line);
    else
        shaped = shape(line, font);
    return shaped;
}

PictureBox::Shaped PictureBox::withNewTail(const Shaped &previous, const QString &text) const
{
    // The glyphs before the first changed character stay where they are; the character
    // before it is shaped again with the new tail, as a kerning pair may join the two.
    // A tail that would start with a mark or a surrogate, or after a joiner, depends on
    // what precedes it: then the whole line is shaped.
    qsizetype same = 0;
    while (same < std::min(previous.text.size(), text.size()) &&
           previous.text.at(same) == text.at(same))
        ++same;
    const qsizetype from = same - 1;
    if (!previous.oneGlyphPerCharacter || from < 1 || text.at(from).isSurrogate() ||
        text.at(from).isMark() || text.at(from - 1).category() == QChar::Other_Format)
        return shape(text, previous.font);

    QHash<QString, Shaped> &shapedTails = tails->of(previous.font, previous.dotsPerInch);
    const QString tailText = text.mid(from);
    auto found = shapedTails.constFind(tailText);
    if (found == shapedTails.constEnd())
        found = shapedTails.insert(tailText, shape(tailText, previous.font));
    const Shaped &tail = *found;
    if (!tail.oneGlyphPerCharacter || tail.origin != previous.origin ||
        tail.runs.constFirst().rawFont() != previous.runs.constFirst().rawFont() ||
        tail.runs.constFirst().flags() != previous.runs.constFirst().flags())
        return shape(text, previous.font);

    // The run keeps the font and flags of the line; what is drawn comes from the glyphs.
    Shaped result = previous;
    result.text = text;
    result.glyphs = previous.glyphs.first(from);
    const qreal shift = previous.glyphs.at(from).position.x();
    for (const Glyph &glyph : tail.glyphs)
        result.glyphs.append({0, glyph.index, glyph.position + QPointF(shift, 0),
                              glyph.inkLeft + shift, glyph.inkRight + shift, glyph.inkTop,
                              glyph.inkBottom});
    return result;
}

PictureBox::Shaped PictureBox::shape(const QString &text, const QFont &font) const
{
    Shaped result{text, font, logicalDpiY(), {}, {}, {}};
    if (text.isEmpty() || decorated(font))
        return result;
    // Laid out for this box, as a painter on it would, with the baseline at the ascent.
    QTextLayout layout(text, font, this);
    // Keeps the glyphs of the layout for glyphRuns(), which would shape the line again.
    layout.setCacheEnabled(true);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    const QTextLine textLine = layout.createLine();
    layout.endLayout();
    result.origin = QPointF(0, QFontMetricsF(font).ascent() - textLine.ascent());
    result.runs = layout.glyphRuns();
    for (qsizetype r = 0; r < result.runs.size(); ++r) {
        const QGlyphRun &run = result.runs.at(r);
        const QRawFont rawFont = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < std::min(indexes.size(), positions.size()); ++i) {
            const QRectF outline = rawFont.boundingRect(indexes.at(i));
            const QPointF position = positions.at(i);
            const qreal x = position.x() + result.origin.x();
            const qreal y = position.y() + result.origin.y();
            if (outline.width() > 0 && outline.height() > 0)
                result.glyphs.append({r, indexes.at(i), position, x + outline.left(),
                                      x + outline.right(), y + outline.top(),
                                      y + outline.bottom()});
            else
                result.glyphs.append({r, indexes.at(i), position,
                                      std::numeric_limits<qreal>::infinity(),
                                      -std::numeric_limits<qreal>::infinity(),
                                      std::numeric_limits<qreal>::infinity(),
                                      -std::numeric_limits<qreal>::infinity()});
        }
    }
    result.oneGlyphPerCharacter = result.runs.size() == 1 &&
                                  !(result.runs.constFirst().flags() & QGlyphRun::RightToLeft) &&
                                  result.glyphs.size() == text.size();
    return result;
}

QRect PictureBox::changedBand(const Shaped &before, const Shaped &after) const
{
    if (before.text == after.text && before.font == after.font &&
        before.dotsPerInch == after.dotsPerInch)
        return {};
    if (before.font != after.font || before.dotsPerInch != after.dotsPerInch ||
        before.origin != after.origin || before.glyphs.isEmpty() || after.glyphs.isEmpty() ||
        decorated(after.font) || before.runs.size() != after.runs.size())
        return rect();
    for (qsizetype r = 0; r < before.runs.size(); ++r)
        if (before.runs.at(r).rawFont() != after.runs.at(r).rawFont() ||
            before.runs.at(r).flags() != after.runs.at(r).flags())
            return rect();

    // Glyphs alike in run, index and place look alike on both lines; the others lie
    // between the longest alike start and the longest alike end.
    const auto alike = [&](qsizetype b, qsizetype a) {
        const Glyph &g = before.glyphs.at(b);
        const Glyph &h = after.glyphs.at(a);
        return g.run == h.run && g.index == h.index && g.position == h.position;
    };
    const qsizetype countBefore = before.glyphs.size();
    const qsizetype countAfter = after.glyphs.size();
    const qsizetype common = std::min(countBefore, countAfter);
    qsizetype head = 0;
    while (head < common && alike(head, head))
        ++head;
    qsizetype tail = 0;
    while (tail < common - head && alike(countBefore - 1 - tail, countAfter - 1 - tail))
        ++tail;

    qreal left = std::numeric_limits<qreal>::infinity();
    qreal right = -left;
    qreal top = left;
    qreal bottom = right;
    const auto widen = [&](const Shaped &shapedLine, qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const Glyph &glyph = shapedLine.glyphs.at(i);
            left = std::min(left, glyph.inkLeft);
            right = std::max(right, glyph.inkRight);
            top = std::min(top, glyph.inkTop);
            bottom = std::max(bottom, glyph.inkBottom);
        }
    };
    widen(before, head, countBefore - tail);
    widen(after, head, countAfter - tail);
    if (left > right)
        return {};
    // Only the rows the glyphs' ink may touch: a frame drawn over the box's edges (the focus
    // mark) stays out of the repaint.
    const int from = int(std::floor(left)) - inkMargin;
    const int to = int(std::ceil(right)) + inkMargin;
    const int upper = int(std::floor(top)) - inkMargin;
    const int lower = int(std::ceil(bottom)) + inkMargin;
    return QRect(from, upper, to - from + 1, lower - upper + 1).intersected(rect());
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    const Shaped &text = shapedLine();
    QPainter painter(this);
    if (testAttribute(Qt::WA_OpaquePaintEvent))
        painter.fillRect(event->rect(), palette().brush(backgroundRole()));
    if (text.text.isEmpty())
        return;
    painter.setPen(palette().color(foregroundRole()));
    if (decorated(text.font)) {
        painter.setFont(text.font);
        painter.drawText(QPointF(0, QFontMetricsF(text.font).ascent()), text.text);
        return;
    }
    // Glyphs outside the repainted band would only be clipped away; leaving them out
    // changes no pixel, as each glyph is drawn at its own place.
    const qreal areaLeft = event->rect().left() - inkMargin;
    const qreal areaRight = event->rect().right() + 1 + inkMargin;
    qsizetype next = 0;
    for (qsizetype r = 0; r < text.runs.size(); ++r) {
        const QGlyphRun &run = text.runs.at(r);
        const qsizetype first = next;
        while (next < text.glyphs.size() && text.glyphs.at(next).run == r)
            ++next;
        QList<quint32> indexes;
        QList<QPointF> positions;
        for (qsizetype i = first; i < next; ++i) {
            const Glyph &glyph = text.glyphs.at(i);
            if (glyph.inkRight >= areaLeft && glyph.inkLeft <= areaRight) {
                indexes.append(glyph.index);
                positions.append(glyph.position);
            }
        }
        if (!indexes.isEmpty()) {
            QGlyphRun part = run;
            part.setGlyphIndexes(indexes);
            part.setPositions(positions);
            painter.drawGlyphRun(text.origin, part);
        }
    }
}
