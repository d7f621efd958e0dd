#pragma once
// The look every window shares: the program's colours as Qt values, its pixel-sized fonts and
// backgrounds painted through the palette.

#include "bracket/model.h"

#include <QFont>
#include <QRgb>

class QWidget;

namespace zorbon::ui {

// A named colour of the program as an opaque Qt colour value.
QRgb qrgb(TColor c);

enum class Weight { Normal, Bold };

// The default font at a size in pixels: the bracket's geometry is in pixels too.
QFont pixelFont(int px, Weight weight = Weight::Normal);

// Background colour through the palette: one call per change, no style sheets.
void paintBackground(QWidget* w, QRgb rgb);
inline void paintBackground(QWidget* w, TColor c)
{
    paintBackground(w, qrgb(c));
}

} // namespace zorbon::ui
