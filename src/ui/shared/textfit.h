// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>

class QLineEdit;
class QWidget;

/// Keeps the text of a one-line field whole in its box, as captions are: the text is drawn at
/// the largest size, up to the font the field is given, at which it fits the field's width; the
/// box keeps its size and place. Below half the given size the field stops shrinking and shows
/// the beginning of its text instead. Whenever the field is not being typed in, it shows the
/// beginning of its text (a site's longitude, a declination's sign), not the end.
class TextFit : public QObject
{
    Q_OBJECT
public:
    /// edit: the field; fontOwner: the widget whose font is the full size, the field itself or
    /// the combo box it belongs to. The fit lives as long as the field.
    static TextFit *attach(QLineEdit *edit, QWidget *fontOwner);
    /// The fit of edit, or null.
    static TextFit *of(const QLineEdit *edit);

    /// The size the text would be drawn in without fitting, points.
    double fullPoints() const;
    /// Fits the text again and shows its beginning unless the user is typing in the field.
    void refit();

    /// The smallest share of the full size the text is shrunk to.
    static constexpr double SMALLEST_SHARE = 0.5;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TextFit(QLineEdit *edit, QWidget *fontOwner);
    /// The width, pixels, the field has for its text.
    int textRoom() const;
    void showBeginning();

    QLineEdit *edit;
    QPointer<QWidget> owner;
    QFont full;
    bool applying = false;
};

/// The point size at which text drawn in font is at most width pixels wide, no larger than
/// font's own and no smaller than smallest.
double fittingPoints(const QFont &font, const QString &text, int width, double smallest);
