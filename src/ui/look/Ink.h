#pragma once
// Where the ink of a line of text lies in a font, so that text placed by it keeps every accent of a
// capital and every descender whole: the cells of the bracket windows and the players' display.

#include <QFont>
#include <QString>

namespace zorbon::ui {

// Where a line of names has ink in `font`, relative to its baseline (top is negative): from the
// accents of capitals to the descenders. Text placed by it keeps every accent whole.
struct Ink {
    int top = 0;
    int height = 0;
};
Ink nameInk(const QFont& font);

// The largest pixel size up to `px` at which every accent of a capital and every descender of `font`
// stays inside `height` pixels (at least 1).
int pixelSizeForHeight(QFont font, int px, int height);

// The ink of `probe` in `font`, measured once per font and probe.
Ink inkOf(const QFont& font, const QString& probe);
// Capitals with every accent of Czech and of the neighbours' names, and the descenders.
const QString& nameProbe();
const QString& digitProbe();
// The baseline that centres a line's ink in a band of `height` pixels from `top`.
int baselineIn(int top, int height, const Ink& ink);

} // namespace zorbon::ui
