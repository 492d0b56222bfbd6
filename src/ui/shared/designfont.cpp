// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/designfont.h"

#include <QStringList>

QFont designFont(double points, bool bold)
{
    // Without a family list fontconfig could pick the much wider DejaVu Sans.
    QFont font(QStringLiteral("Arial"));
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    if (points > 0)
        font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
