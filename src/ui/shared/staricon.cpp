// SPDX-License-Identifier: GPL-3.0-or-later
#include "staricon.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

QImage renderStarClockIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    // Eight points alternate with eight inner corners around the centre.
    const QPointF centre(16, 16);
    QPainterPath star;
    for (int corner = 0; corner < 16; ++corner) {
        const double angle = corner * std::numbers::pi / 8 - std::numbers::pi / 2;
        const double radius = corner % 2 == 0 ? 15.0 : 7.5;
        const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        corner == 0 ? star.moveTo(point) : star.lineTo(point);
    }
    star.closeSubpath();
    painter.setPen(QPen(QColor(200, 0, 0), 1.2));
    painter.setBrush(QColor(255, 220, 0));
    painter.drawPath(star);

    painter.setPen(QPen(QColor(200, 0, 0), 1.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 6.0, 6.0);
    for (int hour = 0; hour < 12; hour += 3) {
        const double angle = hour * std::numbers::pi / 6;
        painter.drawLine(centre + QPointF(4.6 * std::sin(angle), -4.6 * std::cos(angle)),
                         centre + QPointF(5.6 * std::sin(angle), -5.6 * std::cos(angle)));
    }
    painter.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(0, -4.4)); // minute hand at twelve
    painter.drawLine(centre, centre + QPointF(3.0, 0));  // hour hand at three
    return image;
}

QIcon starClockIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(renderStarClockIcon(size)));
    return icon;
}
