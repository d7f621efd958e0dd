#pragma once
// The decorative dartboard picture of the main window, the bracket windows and the About box.

#include <QPixmap>

namespace zorbon::ui {

// A dartboard of `size` × `size` pixels on a transparent ground, painted.
QPixmap dartboardPixmap(int size);

// The same picture, taken from the pixels shipped drawn in advance (src/ui/common/dartboard<size>.argb)
// for the sizes windows show on their first paint: 150 (main window) and 64 (bracket windows).
// Drawing costs about a millisecond each time; other sizes are drawn.
QPixmap dartboardPicture(int size);

} // namespace zorbon::ui
