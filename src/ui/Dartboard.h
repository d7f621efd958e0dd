#pragma once
// The decorative dartboard picture of the main window and the About box.

#include <QPixmap>

namespace zorbon::ui {

// A dartboard of `size` × `size` pixels on a transparent ground, painted.
QPixmap dartboardPixmap(int size);

// The main window's 150-pixel dartboard: dartboardPixmap(150), shipped drawn in advance
// (src/ui/dartboard150.argb), since the window shows it on its first paint and drawing it costs
// about a millisecond of the start-up.
QPixmap mainWindowDartboard();

} // namespace zorbon::ui
