#pragma once
// The decorative dartboard picture of the main window and the About box.

#include <QPixmap>

namespace zorbon::ui {

// A dartboard of `size` × `size` pixels on a transparent ground, painted (no image file to ship).
QPixmap dartboardPixmap(int size);

} // namespace zorbon::ui
