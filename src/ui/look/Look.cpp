#include "look/Look.h"

#include <QPalette>
#include <QWidget>

namespace zorbon::ui {

QFont pixelFont(int px, Weight weight)
{
    QFont f;
    f.setPixelSize(px);
    f.setBold(weight == Weight::Bold);
    return f;
}

QRgb qrgb(TColor c)
{
    return 0xFF000000u | rgbOf(c);
}

void paintBackground(QWidget* w, QRgb rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(rgb));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace zorbon::ui
