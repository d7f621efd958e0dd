#include "common/Dartboard.h"

#include <QPainter>
#include <QPainterPath>
#include <QResource>

#include <cmath>

namespace zorbon::ui {
namespace {

// One ring sector between two radii, `startDeg` counter-clockwise from three o'clock.
QPainterPath sector(QPointF c, double inner, double outer, double startDeg, double spanDeg)
{
    QPainterPath p;
    p.arcMoveTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), startDeg);
    p.arcTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), startDeg, spanDeg);
    p.arcTo(QRectF(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner), startDeg + spanDeg, -spanDeg);
    p.closeSubpath();
    return p;
}

} // namespace

QPixmap dartboardPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    const double r = size / 2.0 - 1;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawEllipse(c, r, r);

    // Proportions of a real board: double ring outside, treble ring half-way, numbers ring around.
    const double board = r * 0.78;
    const QColor dark(0x10, 0x10, 0x10), light(0xF2, 0xE6, 0xC8), red(0xD0, 0x20, 0x20), green(0x10, 0x90, 0x40);
    for (int i = 0; i < 20; ++i) {
        const double start = 81.0 + i * 18.0; // segment "20" centred at twelve o'clock
        const bool even = i % 2 == 0;
        p.setBrush(even ? dark : light);
        p.drawPath(sector(c, board * 0.10, board, start, 18.0));
        p.setBrush(even ? red : green);
        p.drawPath(sector(c, board * 0.90, board, start, 18.0));
        p.drawPath(sector(c, board * 0.53, board * 0.60, start, 18.0));
    }
    p.setBrush(green);
    p.drawEllipse(c, board * 0.10, board * 0.10);
    p.setBrush(red);
    p.drawEllipse(c, board * 0.04, board * 0.04);

    static const int numbers[20] = {20, 1, 18, 4, 13, 6, 10, 15, 2, 17, 3, 19, 7, 16, 8, 11, 14, 9, 12, 5};
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(qMax(6, static_cast<int>(r * 0.12)));
    p.setFont(f);
    p.setPen(Qt::white);
    const double nr = (board + r) / 2.0;
    for (int i = 0; i < 20; ++i) {
        const double a = (90.0 - i * 18.0) * 3.14159265358979 / 180.0;
        const QPointF at(c.x() + nr * std::cos(a), c.y() - nr * std::sin(a));
        const QRectF box(at.x() - r * 0.15, at.y() - r * 0.1, r * 0.3, r * 0.2);
        p.drawText(box, Qt::AlignCenter, QString::number(numbers[i]));
    }
    return pm;
}

QPixmap dartboardPicture(int size)
{
    // Raw pixels, stored uncompressed: no decoder to load or run (a PNG took half as long as drawing).
    const QResource picture(QStringLiteral(":/zorbon/dartboard%1.argb").arg(size));
    if (picture.isValid() && picture.compressionAlgorithm() == QResource::NoCompression &&
        picture.size() == qint64(size) * size * 4) {
        const QImage image(picture.data(), size, size, QImage::Format_ARGB32_Premultiplied);
        return QPixmap::fromImage(image);
    }
    return dartboardPixmap(size);
}

} // namespace zorbon::ui
